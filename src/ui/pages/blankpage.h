#pragma once
#include "ui/pages/productpage.h"

// The page shown before any controller has identified itself, and the Vintle page: one empty
// label, no fields; nothing is read or written.
class EmptyPage : public ProductPage {
    Q_OBJECT
public:
    EmptyPage(EditorHost &host, const QString &name, QWidget *parent = nullptr);
};

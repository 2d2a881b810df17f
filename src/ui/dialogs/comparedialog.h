#pragma once
// "Compare": the named settings in which the image in memory differs from another image: the last
// one exchanged with the controller, a kept history image, a *.joy file or the defaults. It only
// reads; nothing it does changes the image, the page or the history.
#include "core/calimage.h"
#include "history/historystore.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QTreeWidget;

class CompareDialog : public QDialog {
    Q_OBJECT
public:
    // `image` is read as `product`; `lastExchanged` is absent until a transfer has finished.
    CompareDialog(const CalImageBytes &image, uint8_t product, std::optional<CalImageBytes> lastExchanged,
                  HistoryStore store, QWidget *parent = nullptr);

    // Names the image the dialog was made with, in the first value column and in the sentence
    // above the list ("In memory", "The image in memory" unless said otherwise); the dialog then
    // compares it with the one image given to CompareWith only.
    void SetImageTitle(const QString &column, const QString &phrase);
    // Lists the differences from `other`, described as `what` in the dialog and headed
    // `otherColumn` in the list.
    void CompareWith(const CalImageBytes &other, const QString &what, const QString &otherColumn = {});

private:
    void CompareWithLast();
    void CompareWithHistory();
    void CompareWithFile();
    void CompareWithDefaults();

    const CalImageBytes m_image;
    const uint8_t m_product;
    const std::optional<CalImageBytes> m_lastExchanged;
    HistoryStore m_store;
    QString m_imagePhrase;
    QWidget *SourceRow = nullptr;
    QLabel *SubjectLabel = nullptr;
    QTreeWidget *DifferenceList = nullptr;
    QLabel *CountLabel = nullptr;
    QPushButton *LastButton = nullptr, *HistoryButton = nullptr, *FileButton = nullptr, *DefaultsButton = nullptr,
                *CloseButton = nullptr;
};

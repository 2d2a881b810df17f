#pragma once
// The link's status line: a sunken panel whose text is the whole sentence the link said. A line
// that does not fit the panel's width is wrapped onto two lines in a smaller face; only a text
// that not even two lines hold is cut, at its end with an ellipsis, and its tip then shows it
// whole. text() is always the whole sentence.
#include <QLabel>
#include <QStringList>

class StatusPanel : public QLabel {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget *parent = nullptr);

    // How a text is drawn in an area: the face and the lines, the last one elided if it must be.
    struct Layout {
        QFont font;
        QStringList lines;
        bool elided = false;
    };
    static Layout Lay(const QString &text, const QFont &font, const QSize &area);

    // The lines as the panel draws them now.
    Layout CurrentLayout() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
};

#pragma once

#include <QLabel>

// A label that reacts to a click, shown like a link so the user sees it can
// be clicked. It is a link for the keyboard too (Tab reaches it, Space or
// Return follows it) and for screen readers; a screen that offers the same
// command another way may take it out of the focus chain.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

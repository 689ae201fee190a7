#pragma once

#include <QLabel>

// A label that reacts to a click, shown like a link so the user sees it can
// be clicked.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

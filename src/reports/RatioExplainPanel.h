#pragma once

#include "reports/RatioExplanation.h"

#include <QFrame>

class QLabel;
class QToolButton;

// The small panel that explains one ratio over the report it is read in. It
// takes the focus while shown; Esc or its close button hides it and gives
// the focus back to the page.
class RatioExplainPanel : public QFrame
{
    Q_OBJECT

public:
    explicit RatioExplainPanel(QWidget *parent);

    // Shows the explanation beside the explained `row` (in the parent's
    // coordinates), inside `room`, without covering the row where the room
    // allows (see ExplainPlacement.h).
    void explain(const RatioExplanation &explanation, bool french, const QRect &row,
                 const QRect &room);
    QString text() const;

signals:
    void closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void dismiss();

    QLabel *m_text = nullptr;
    QToolButton *m_close = nullptr;
};

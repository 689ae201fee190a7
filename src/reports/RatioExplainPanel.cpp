#include "reports/RatioExplainPanel.h"

#include "core/ResourceString.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

namespace {
// String table ids of the panel (English; French at id + 1).
constexpr int kFormulaCaption = 2200;
constexpr int kMovesCaption = 2202;
constexpr int kCloseCaption = 2204;
constexpr int kPanelName = 2206;

QString caption(int id, bool french)
{
    return ResourceString(id, french ? Language::French : Language::English);
}
} // namespace

RatioExplainPanel::RatioExplainPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("fraRatioExplain"));
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(QStringLiteral("#fraRatioExplain { border: 1px solid #1f3864; "
                                 "background-color: #fffbe8; color: #1a1a1a; }"));

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("lblRatioExplain"));
    m_text->setTextFormat(Qt::RichText);
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("btnCloseExplain"));
    m_close->setText(QStringLiteral("\u00d7"));
    m_close->setAutoRaise(true);
    connect(m_close, &QToolButton::clicked, this, &RatioExplainPanel::dismiss);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 8, 4, 8);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_close, 0, Qt::AlignTop);
    hide();
}

void RatioExplainPanel::explain(const RatioExplanation &e, bool french, const QPoint &anchor)
{
    const auto escaped = [](const QString &text) { return text.toHtmlEscaped(); };
    QString html =
        QStringLiteral("<b style=\"color:#1f3864; font-size:large\">%1</b>").arg(escaped(e.name));
    html += QStringLiteral("<p style=\"margin-top:6px\"><i>%1</i><br>%2</p>")
                .arg(escaped(caption(kFormulaCaption, french)), escaped(e.formula));
    if (!e.firm.isEmpty())
        html += QStringLiteral("<p><b>%1</b></p>").arg(escaped(e.firm));
    if (!e.why.isEmpty())
        html += QStringLiteral("<p style=\"color:#7f3f00\"><b>%1</b></p>").arg(escaped(e.why));
    html +=
        QStringLiteral("<p>%1<br><b>%2</b></p>").arg(escaped(e.quartiles), escaped(e.direction));
    html += QStringLiteral("<p><i>%1</i><br>%2</p>")
                .arg(escaped(caption(kMovesCaption, french)), escaped(e.moves));
    m_text->setText(html);
    m_close->setToolTip(caption(kCloseCaption, french));
    setAccessibleName(caption(kPanelName, french));

    const int width = std::min(380, parentWidget()->width() - 16);
    m_text->setFixedWidth(width - 44);
    adjustSize();
    const QRect room = parentWidget()->rect().adjusted(8, 8, -8, -8);
    QPoint place = anchor;
    place.setX(
        std::clamp(place.x(), room.left(), std::max(room.left(), room.right() - this->width())));
    place.setY(std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() - height())));
    move(place);
    // Made after the pages' scroll area, the panel lies over it.
    show();
    setFocus(Qt::OtherFocusReason);
}

QString RatioExplainPanel::text() const
{
    return m_text->text();
}

void RatioExplainPanel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        dismiss();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void RatioExplainPanel::dismiss()
{
    hide();
    emit closed();
}

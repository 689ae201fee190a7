#include "reports/RatioExplainPanel.h"

#include "core/ColourContrast.h"
#include "core/ResourceString.h"
#include "reports/ExplainPlacement.h"

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

void RatioExplainPanel::explain(const RatioExplanation &e, bool french, const QRect &row,
                                const QRect &room)
{
    const auto escaped = [](const QString &text) { return text.toHtmlEscaped(); };
    // The theme's note colours; the title and the reason keep their own
    // colours only where these read on the theme's background.
    const QColor back = palette().color(QPalette::ToolTipBase);
    const QColor text = palette().color(QPalette::ToolTipText);
    setStyleSheet(QStringLiteral("#fraRatioExplain { border: 1px solid %1; background-color: %2; }"
                                 " #fraRatioExplain QLabel { color: %1; }")
                      .arg(text.name(), back.name()));
    const QString titleColour = readableOn(QColor(0x1f, 0x38, 0x64), back, text).name();
    const QString reasonColour = readableOn(QColor(0x7f, 0x3f, 0x00), back, text).name();
    QString html = QStringLiteral("<b style=\"color:%1; font-size:large\">%2</b>")
                       .arg(titleColour, escaped(e.name));
    html += QStringLiteral("<p style=\"margin-top:6px\"><i>%1</i><br>%2</p>")
                .arg(escaped(caption(kFormulaCaption, french)), escaped(e.formula));
    if (!e.firm.isEmpty())
        html += QStringLiteral("<p><b>%1</b></p>").arg(escaped(e.firm));
    if (!e.percentile.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(escaped(e.percentile));
    if (!e.why.isEmpty())
        html +=
            QStringLiteral("<p style=\"color:%1\"><b>%2</b></p>").arg(reasonColour, escaped(e.why));
    QStringList years;
    for (const QString &line : e.quartiles)
        years << escaped(line);
    html += QStringLiteral("<p>%1<br><b>%2</b></p>")
                .arg(years.join(QStringLiteral("<br>")), escaped(e.direction));
    html += QStringLiteral("<p><i>%1</i><br>%2</p>")
                .arg(escaped(caption(kMovesCaption, french)), escaped(e.moves));
    m_text->setText(html);
    m_close->setToolTip(caption(kCloseCaption, french));
    m_close->setAccessibleName(caption(kCloseCaption, french));
    setAccessibleName(caption(kPanelName, french));

    const int width = std::min(380, room.width());
    m_text->setFixedWidth(width - 44);
    adjustSize();
    move(explainPanelPlace(room, row, size()));
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

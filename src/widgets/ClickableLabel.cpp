#include "widgets/ClickableLabel.h"

#include "core/ColourContrast.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {
// Screen readers meet the label as a link that can be pressed.
class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(ClickableLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty())
            return static_cast<const QLabel *>(widget())->text();
        return own;
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << pressAction();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction())
            emit static_cast<ClickableLabel *>(widget())->clicked();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *linkFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ClickableLabel") && object && object->isWidgetType())
        return new LinkAccessible(static_cast<ClickableLabel *>(object));
    return nullptr;
}
} // namespace

ClickableLabel::ClickableLabel(QWidget *parent) : QLabel(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(linkFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
    // The theme's link colour where it reads on the window; a dark theme's
    // may not, and its text colour then stands in.
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, readableOn(linkPalette.color(QPalette::Link),
                                                          linkPalette.color(QPalette::Window),
                                                          linkPalette.color(QPalette::WindowText)));
    setPalette(linkPalette);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A press that is dragged off the label and released elsewhere is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        emit clicked();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A label draws no focus mark of its own.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

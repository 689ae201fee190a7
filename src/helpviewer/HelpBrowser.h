#pragma once

#include <QTextBrowser>

class QHelpEngineCore;

// Shows the pages of a compiled help file: "qthelp:" addresses are read from
// the help engine, other addresses open in the desktop's own programs.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpBrowser(QHelpEngineCore *engine, QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;

private:
    QHelpEngineCore *m_engine;
};

#pragma once

#include <QString>

class QWidget;

// Shows the definition behind a statement item's caption label in the
// current language: the body as the message, the title as its caption, an OK
// button and the information icon. Returns once the box is closed; a label
// without a definition shows nothing. Nothing else on the screen changes.
void subShowItemDefinition(const QString &labelName, QWidget *parent = nullptr);

#include "firm/ShowItemDefinition.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "firm/ItemDefinitions.h"

void subShowItemDefinition(const QString &labelName, QWidget *parent)
{
    const ItemDefinition *definition = findItemDefinition(labelName);
    if (!definition)
        return;
    const DefinitionText &text = definition->text(appState().gintLanguage);
    ShowMessage(joinDefinitionBody(text), MsgButtons::Ok, MsgIcon::Information, text.title, parent);
}

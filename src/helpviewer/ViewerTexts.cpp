#include "helpviewer/ViewerTexts.h"

bool isFrenchHelpFile(const QString &helpFile)
{
    return helpFile.endsWith(QLatin1String("_Fre.qch"));
}

ViewerTexts viewerTexts(bool french)
{
    if (french) {
        return {
            QStringLiteral("Aide de Quorvel"),
            QStringLiteral("Table des matières"),
            QStringLiteral("Index"),
            QStringLiteral("Recherche"),
            QStringLiteral("Rechercher les mots :"),
            QStringLiteral("Rechercher"),
            QStringLiteral("Aucune page ne contient ces mots."),
            QStringLiteral("Précédent"),
            QStringLiteral("Suivant"),
            QStringLiteral("Accueil"),
            QStringLiteral("Imprimer"),
            QStringLiteral("Il n'y a pas d'imprimante de rattaché à votre machine."),
            QStringLiteral("Aucun fichier d'aide n'a été indiqué. Ouvrez l'aide à partir du "
                           "menu Aide de Quorvel."),
            QStringLiteral("Le fichier d'aide est introuvable : %1"),
            QStringLiteral("Le fichier d'aide ne peut pas être lu : %1 (%2)"),
            QStringLiteral("La rubrique %1 n'existe pas dans ce fichier d'aide."),
            QStringLiteral("« %1 » n'est pas un numéro de rubrique."),
        };
    }
    return {
        QStringLiteral("Quorvel Help"),
        QStringLiteral("Contents"),
        QStringLiteral("Index"),
        QStringLiteral("Search"),
        QStringLiteral("Look for the words:"),
        QStringLiteral("Search"),
        QStringLiteral("No page contains these words."),
        QStringLiteral("Back"),
        QStringLiteral("Forward"),
        QStringLiteral("Home"),
        QStringLiteral("Print"),
        QStringLiteral("There is no printer connected to your computer."),
        QStringLiteral("No help file was given. Open the help from the Help menu of Quorvel."),
        QStringLiteral("The help file cannot be found: %1"),
        QStringLiteral("The help file cannot be read: %1 (%2)"),
        QStringLiteral("Topic %1 does not exist in this help file."),
        QStringLiteral("\"%1\" is not a topic number."),
    };
}

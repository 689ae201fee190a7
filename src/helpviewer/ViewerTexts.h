#pragma once

#include <QString>

// The help viewer's own words, in the language of the help file it shows:
// French for a file whose name ends in "_Fre.qch", English otherwise.
struct ViewerTexts
{
    QString windowTitle;
    QString contents;
    QString index;
    QString search;
    QString lookFor;
    QString searchButton;
    QString noResults;
    QString back;
    QString forward;
    QString home;
    QString print;
    QString noPrinter;
    QString noFile;
    QString fileMissing;    // %1: the file's path
    QString fileUnreadable; // %1: the file's path, %2: the reason
    QString topicMissing;   // %1: the topic id
    QString badTopic;       // %1: the text given as topic
};

bool isFrenchHelpFile(const QString &helpFile);

ViewerTexts viewerTexts(bool french);

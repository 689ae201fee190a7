// quorvel_dbbuild: builds the databases shipped with the program from the
// text sources in data/.
//
//   quorvel_dbbuild user <output.mdb> <source.tsv>...
//   quorvel_dbbuild reference <output.mdb> <reference source folder>
//   quorvel_dbbuild schema <output.schema> <built database.mdb>
//   quorvel_dbbuild page <output.html> <template.html> <texts.tsv> <en|fr>

#include "HelpPage.h"
#include "ReferenceDatabase.h"
#include "SchemaManifest.h"
#include "SqliteFile.h"
#include "UserDatabase.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <exception>

namespace {

int usage()
{
    std::fputs("usage: quorvel_dbbuild user <output.mdb> <source.tsv>...\n"
               "       quorvel_dbbuild reference <output.mdb> <reference source folder>\n"
               "       quorvel_dbbuild schema <output.schema> <built database.mdb>\n"
               "       quorvel_dbbuild page <output.html> <template.html> <texts.tsv> <en|fr>\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3)
        return usage();
    const QString &kind = args.at(0);
    const QString &output = args.at(1);
    const QStringList sources = args.mid(2);
    try {
        if (kind == QLatin1String("user"))
            SqliteFile::build(output, [&](SqliteFile &file) { buildUserDatabase(file, sources); });
        else if (kind == QLatin1String("reference") && sources.size() == 1)
            SqliteFile::build(output, [&](SqliteFile &file) {
                buildReferenceDatabase(file, sources.constFirst());
            });
        else if (kind == QLatin1String("schema") && sources.size() == 1)
            writeSchemaManifest(sources.constFirst(), output);
        else if (kind == QLatin1String("page") && sources.size() == 3)
            writeHelpPage(output, sources.at(0), sources.at(1), sources.at(2));
        else
            return usage();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "quorvel_dbbuild: %s\n", error.what());
        return 1;
    }
    return 0;
}

// quorvel-cli template: the blank statement template, as the firm screen's
// File > Save blank template… writes it (without a firm or year).
#include "cli/CliCommands.h"
#include "cli/CliStrings.h"
#include "import/StatementTemplate.h"

namespace {
CliStatus run(CliContext &context)
{
    const CliArguments &arguments = context.arguments();
    const TemplateFormat format =
        arguments.choice(QStringLiteral("format"),
                         {QStringLiteral("xlsx"), QStringLiteral("csv")}) == QLatin1String("csv")
            ? TemplateFormat::Csv
            : TemplateFormat::Xlsx;
    const QString output = arguments.required(QStringLiteral("output"));
    if (!writeStatementTemplate(output, format, context.language()))
        context.fail(CliStatus::Failure, kCliCannotWrite, {output});
    context.out() << context.text(kCliTemplateWritten).arg(output) << '\n';
    return CliStatus::Success;
}
} // namespace

CliCommand templateCommand()
{
    return {"template", {{"format"}, {"output"}}, "--format xlsx|csv --output FILE", run};
}

#include "benchmarks/frmBenchmarkData.h"

#include "benchmarks/BenchmarkSets.h"
#include "core/AppState.h"
#include "core/DatabaseError.h"
#include "core/Messages.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int kColumns = 6;

QString text(int id)
{
    return caption(id);
}

// A file box with its "…" button that picks a CSV or workbook.
QLineEdit *fileRow(QFormLayout *form, int labelId, const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    auto *browse = new QPushButton(QStringLiteral("\u2026"), parent);
    browse->setObjectName(QLatin1String(name) + QStringLiteral("Browse"));
    browse->setAccessibleName(text(labelId));
    QObject::connect(browse, &QPushButton::clicked, parent, [edit, parent, labelId] {
        const QString path = QFileDialog::getOpenFileName(
            parent, text(labelId), edit->text(), QStringLiteral("CSV, Excel (*.csv *.xlsx)"));
        if (!path.isEmpty())
            edit->setText(path);
    });
    auto *row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    form->addRow(text(labelId), row);
    return edit;
}
} // namespace

frmBenchmarkData::frmBenchmarkData(std::function<void()> changed, QWidget *parent)
    : QDialog(parent), m_changed(std::move(changed))
{
    setObjectName(QStringLiteral("frmBenchmarkData"));
    tblBenchmarkSets = new QTableWidget(0, kColumns, this);
    tblBenchmarkSets->setObjectName(QStringLiteral("tblBenchmarkSets"));
    tblBenchmarkSets->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblBenchmarkSets->setSelectionMode(QAbstractItemView::SingleSelection);
    tblBenchmarkSets->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblBenchmarkSets->verticalHeader()->hide();
    tblBenchmarkSets->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    tblBenchmarkSets->setWordWrap(true);
    lblSetInUse = new QLabel(this);
    lblSetInUse->setObjectName(QStringLiteral("lblSetInUse"));
    cmdLoad = new QPushButton(this);
    cmdLoad->setObjectName(QStringLiteral("cmdLoad"));
    cmdUse = new QPushButton(this);
    cmdUse->setObjectName(QStringLiteral("cmdUse"));
    cmdRemove = new QPushButton(this);
    cmdRemove->setObjectName(QStringLiteral("cmdRemove"));
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdLoad);
    buttons->addWidget(cmdUse);
    buttons->addWidget(cmdRemove);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tblBenchmarkSets, 1);
    layout->addWidget(lblSetInUse);
    layout->addLayout(buttons);
    resize(860, 340);

    connect(cmdLoad, &QPushButton::clicked, this, &frmBenchmarkData::cmdLoad_Click);
    connect(cmdUse, &QPushButton::clicked, this, &frmBenchmarkData::cmdUse_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmBenchmarkData::cmdRemove_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(tblBenchmarkSets, &QTableWidget::itemSelectionChanged, this, [this] {
        const QString name = selectedName();
        cmdUse->setEnabled(!name.isEmpty());
        cmdRemove->setEnabled(!name.isEmpty() &&
                              !findBenchmarkSet(name).value_or(BenchmarkSetInfo{}).sample);
    });
    subLoadCaptions();
    subListSets();
}

void frmBenchmarkData::subLoadCaptions()
{
    setWindowTitle(text(kBenchmarkDataTitle));
    QStringList headings;
    for (int c = 0; c < kColumns; ++c)
        headings << text(kSetColumnName + 2 * c);
    tblBenchmarkSets->setHorizontalHeaderLabels(headings);
    cmdLoad->setText(text(kLoadSetCommand));
    cmdUse->setText(text(kUseSetCommand));
    cmdRemove->setText(text(kRemoveSetCommand));
    cmdClose->setText(text(kCloseCommand));
}

void frmBenchmarkData::subListSets()
{
    const QList<BenchmarkSetInfo> sets = listBenchmarkSets();
    const BenchmarkSetInfo &inUse = benchmarksInUse();
    const Language language = appState().gintLanguage;
    tblBenchmarkSets->setRowCount(int(sets.size()));
    for (int r = 0; r < sets.size(); ++r) {
        const BenchmarkSetInfo &set = sets[r];
        const QString years =
            set.years.first() == set.years.last()
                ? QString::number(set.years.first())
                : QStringLiteral("%1\u2013%2").arg(set.years.first()).arg(set.years.last());
        const QStringList cells{
            set.name,
            set.sample ? ResourceString(kSampleDataNote, language) : set.source,
            years,
            set.sample ? QString() : QString::number(set.datasets),
            set.sample ? QString() : QString::number(set.industries),
            set.sample ? QString()
                       : QLocale(language == Language::French ? QLocale::French : QLocale::English,
                                 QLocale::Canada)
                             .toString(set.loaded, QLocale::ShortFormat)};
        const bool used = set.sample ? inUse.sample : set.path == inUse.path;
        for (int c = 0; c < kColumns; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            QFont font = item->font();
            font.setBold(used);
            item->setFont(font);
            tblBenchmarkSets->setItem(r, c, item);
        }
    }
    for (int c = 0; c < kColumns; ++c)
        if (c != 1)
            tblBenchmarkSets->resizeColumnToContents(c);
    tblBenchmarkSets->resizeRowsToContents();
    lblSetInUse->setText(text(kCliSetInUse).arg(inUse.name));
    tblBenchmarkSets->clearSelection();
    cmdUse->setEnabled(false);
    cmdRemove->setEnabled(false);
}

QString frmBenchmarkData::selectedName() const
{
    const QList<QTableWidgetItem *> selected = tblBenchmarkSets->selectedItems();
    return selected.isEmpty() ? QString()
                              : tblBenchmarkSets->item(selected.first()->row(), 0)->text();
}

void frmBenchmarkData::cmdLoad_Click()
{
    QDialog form(this);
    form.setObjectName(QStringLiteral("frmLoadBenchmarks"));
    form.setWindowTitle(text(kLoadSetTitle));
    auto *fields = new QFormLayout;
    QLineEdit *txtPackFile = fileRow(fields, kPackDataFile, "txtPackFile", &form);
    QLineEdit *txtTitlesFile = fileRow(fields, kPackTitlesFile, "txtTitlesFile", &form);
    auto *txtSetName = new QLineEdit(&form);
    txtSetName->setObjectName(QStringLiteral("txtSetName"));
    fields->addRow(text(kSetNameLabel), txtSetName);
    auto *txtSetSource = new QLineEdit(&form);
    txtSetSource->setObjectName(QStringLiteral("txtSetSource"));
    fields->addRow(text(kSetSourceLabel), txtSetSource);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    box->button(QDialogButtonBox::Cancel)->setText(text(kCancel));
    connect(box, &QDialogButtonBox::accepted, &form, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    auto *layout = new QVBoxLayout(&form);
    layout->addLayout(fields);
    layout->addWidget(box);
    form.resize(620, form.sizeHint().height());
    if (form.exec() != QDialog::Accepted)
        return;
    BenchmarkLoad load;
    try {
        load = loadBenchmarkSet(txtPackFile->text().trimmed(), txtTitlesFile->text().trimmed(),
                                txtSetName->text(), txtSetSource->text());
    } catch (const DatabaseError &error) {
        ShowMessage(error.description(), MsgButtons::Ok, MsgIcon::Critical, QString(), this);
        return;
    }
    ShowMessage(benchmarkLoadSummary(load, appState().gintLanguage).join(QLatin1Char('\n')),
                MsgButtons::Ok, load.set ? MsgIcon::Information : MsgIcon::Warning, QString(),
                this);
    subListSets();
}

bool frmBenchmarkData::switchTo(const QString &name)
{
    const BenchmarkSetInfo previous = benchmarksInUse();
    Connection opened;
    if (const auto problem = openBenchmarkSet(opened, useBenchmarkSetNamed(name))) {
        setBenchmarksInUse(previous);
        ShowMessage(fncDatabaseProblemText(*problem, appState().gintLanguage), MsgButtons::Ok,
                    MsgIcon::Warning, QString(), this);
        return false;
    }
    AppState &state = appState();
    DisconnectFromDB(state.gcnReference);
    state.gcnReference = opened;
    rememberBenchmarkSet(benchmarksInUse().name);
    if (m_changed)
        m_changed();
    return true;
}

void frmBenchmarkData::cmdUse_Click()
{
    if (!selectedName().isEmpty() && switchTo(selectedName()))
        subListSets();
}

void frmBenchmarkData::cmdRemove_Click()
{
    const std::optional<BenchmarkSetInfo> set = findBenchmarkSet(selectedName());
    if (!set || set->sample)
        return;
    if (ShowMessage(text(kRemoveSetQuestion).arg(set->name), MsgButtons::YesNo, MsgIcon::Question,
                    QString(), this, MsgAnswer::No) != MsgAnswer::Yes)
        return;
    // The set in use gives way to the sample before its file goes.
    if (set->path == benchmarksInUse().path && !switchTo(QStringLiteral("sample")))
        return;
    removeBenchmarkSet(set->name);
    subListSets();
}

void frmBenchmarkData::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    tblBenchmarkSets->resizeRowsToContents();
}

void frmBenchmarkData::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    tblBenchmarkSets->resizeRowsToContents();
}

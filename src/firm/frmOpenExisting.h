#pragma once

#include "core/Screen.h"

class RecordSetModel;
class QLabel;
class QModelIndex;
class QPushButton;
class QTableView;

// The open-existing screen: lists the stored firm statements, one row per
// firm name and year, and loads the one the user picks into the firm screen.
class frmOpenExisting : public Screen
{
    Q_OBJECT

public:
    frmOpenExisting();

    // Fills the list of stored statements in the current language; true when
    // there is at least one. The grid shows from then on.
    bool fncLoadFirms();
    // Whether the last fncLoadFirms could not read the list (the team
    // database was away): it said so, and the callers' "no records" would mislead.
    bool readFailed() const { return m_readFailed; }
    // Loads the statement of the grid's current row into the firm screen and
    // shows it.
    void subOpenRecord();
    void subLoadCaptions();
    void reloadCaptions() override { subLoadCaptions(); }

    void cmdOpen_Click();
    void cmdCancel_Click();
    void dbgFirms_DblClick(const QModelIndex &index);
    // Asks for a folder, then exports every saved statement's comparison.
    void cmdExportComparisons_Click();
    // Writes one comparison PDF per saved statement into `folder` under a
    // progress dialog that can stop the run, then says what was written and
    // what was skipped.
    void subExportComparisons(const QString &folder);

    QLabel *lblQuestion = nullptr;
    QTableView *dbgFirms = nullptr;
    RecordSetModel *AdodcFirms = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdExportComparisons = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void Form_Activate() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_readFailed = false;
};

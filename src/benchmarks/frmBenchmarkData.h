#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

// File > Benchmark data…: the benchmark sets, loading a new one, choosing the
// one in use and removing those loaded. `changed` runs after the set in use
// changes, so that the screen that opened it shows the set's years and
// datasets.
class frmBenchmarkData : public QDialog
{
    Q_OBJECT

public:
    explicit frmBenchmarkData(std::function<void()> changed, QWidget *parent = nullptr);

    void subLoadCaptions();
    void subListSets();
    void cmdLoad_Click();
    void cmdUse_Click();
    void cmdRemove_Click();

    QTableWidget *tblBenchmarkSets = nullptr;
    QLabel *lblSetInUse = nullptr;
    QPushButton *cmdLoad = nullptr;
    QPushButton *cmdUse = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdClose = nullptr;

protected:
    // Rows take the height their wrapped sources need at the columns' shown widths.
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString selectedName() const;
    // Opens the set as the program's reference database; false, after
    // saying why, when its file cannot be used.
    bool switchTo(const QString &name);
    std::function<void()> m_changed;
};

#pragma once
// The differences between the data on screen and another data set (a file,
// or what the radio holds), one row per differing field: area, channel,
// field, this value, the other value. Rows can be selected and copied (Copy,
// Ctrl+C) as tab-separated text that a spreadsheet takes as it is, no
// formula run.

#include <QDialog>
#include <vector>

#include "workspace/DataDiff.h"

class QTableWidget;

namespace rp770::ui {

class DifferencesDialog : public QDialog {
    Q_OBJECT
public:
    // `other` names the other side: "boat.dat", "the radio".
    DifferencesDialog(const std::vector<Difference>& differences, const QString& other, const QString& title,
                      QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    // The selected rows, or all of them when none is selected, with the
    // header first, as a spreadsheet takes them (DifferencesForSpreadsheet).
    QString CopiedText() const;
    void Copy() const;

private:
    std::vector<Difference> differences_;
    QTableWidget* table_;
};

}  // namespace rp770::ui

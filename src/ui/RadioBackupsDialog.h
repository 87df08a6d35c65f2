#pragma once
// File > Radio Backups...: the radio memories kept, newest first (time,
// model, ATIS code, why kept); Open opens the chosen one as a memory image
// file.

#include <QDialog>
#include <optional>
#include <vector>

#include "session/RadioKeeper.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace rp770::ui {

class RadioBackupsDialog : public QDialog {
    Q_OBJECT
public:
    // `where`: the folder they are kept in, said under the list.
    RadioBackupsDialog(std::vector<KeptImage> images, const QString& where, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }
    QPushButton* OpenButton() const { return open_; }
    // The image chosen with Open (or a double click), once the dialog is accepted.
    const std::optional<KeptImage>& chosen() const { return chosen_; }

private:
    void OpenSelected();

    std::vector<KeptImage> images_;
    QTableWidget* table_;
    QPushButton* open_;
    std::optional<KeptImage> chosen_;
};

}  // namespace rp770::ui

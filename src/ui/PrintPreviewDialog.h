#pragma once
// The print preview: the pages as the printer will get them, drawn for that
// printer, page by page and zoomed as the user likes, with Print and Cancel.

#include <QDialog>
#include <functional>

class QAction;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;

namespace rp770::ui {

class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // `draw` puts the pages on the printer it is given (the preview's, with
    // the settings of `printer`). `chooseNext`: Print leads to the print
    // dialog (its button says "Print..."), else it prints at once.
    PrintPreviewDialog(QPrinter& printer, std::function<void(QPrinter&)> draw, bool chooseNext, QWidget* parent = nullptr);

    // Draws the pages again (the dialog does when it shows).
    void UpdatePreview();
    int PageCount() const;
    int CurrentPage() const;
    // Shows that page (1 is the first), as the arrows do.
    void GoToPage(int page);
    QPrintPreviewWidget* Preview() const { return preview_; }

private:
    void ShowPageNumber();

    std::function<void(QPrinter&)> draw_;
    QPrintPreviewWidget* preview_ = nullptr;
    QLabel* page_ = nullptr;
    QAction* previous_ = nullptr;
    QAction* next_ = nullptr;
};

}  // namespace rp770::ui

#include "ui/EditorDemo.h"

#include "core/MemoryImage.h"
#include "core/Titles.h"
#include "data/FactoryImage.h"

namespace rp770::ui {

std::unique_ptr<EditorDemo> MakeEditorDemo(const QString& programFolder, Prompter* prompter) {
    auto demo = std::make_unique<EditorDemo>();
    DataSet& data = demo->data;
    data.modelNumber = 1;
    data.flags = ModelFlags{true, true, true};
    ResetDataSet(data);
    data.image = MakeFactoryImage(PlanUSA);
    DecodeImage(data);

    EditorBinding binding;
    binding.data = &data;
    binding.dataChanged = &demo->dataChanged;
    binding.prompter = prompter;
    binding.messageTitle = MessageTitle(data.modelNumber);
    EditorDemo* raw = demo.get();
    binding.setHint = [raw](const QString& hint) { raw->lastHint = hint; };
    binding.programFolder = programFolder;
    demo->pane = std::make_unique<EditorPane>(binding);
    demo->pane->SetOptionalPanelsVisible(data.flags);
    demo->pane->FillingPanels() = true;
    demo->pane->ReinitialisePanels();
    demo->pane->FillingPanels() = false;
    demo->pane->LoadLogo();
    demo->dataChanged = false;
    return demo;
}

}  // namespace rp770::ui

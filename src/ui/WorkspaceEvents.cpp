#include "ui/WorkspaceEvents.h"

namespace rp770::ui {

WorkspaceEvents::WorkspaceEvents(Workspace& workspace, QObject* parent) : QObject(parent), workspace_(workspace) {
    workspace_.AddListener(this);
}

WorkspaceEvents::~WorkspaceEvents() { workspace_.RemoveListener(this); }

void WorkspaceEvents::WorkspaceChanged(Change change) {
    switch (change) {
        case Change::Edited: emit edited(); break;
        case Change::Restored: emit restored(); break;
        case Change::Replaced: emit replaced(); break;
        case Change::Saved: emit saved(); break;
    }
}

}  // namespace rp770::ui

#pragma once
// The editing session's notices as Qt signals, for the window's widgets.
// Subscribed from construction to destruction.

#include <QObject>

#include "workspace/Workspace.h"

namespace rp770::ui {

class WorkspaceEvents : public QObject {
    Q_OBJECT
public:
    WorkspaceEvents(Workspace& workspace, QObject* parent);

signals:
    void edited();     // one field of one channel or setting, by the panel that shows it
    void restored();   // undo, redo, a change of many channels: whatever shows the data shows them again
    void replaced();   // a new data set: the screens start again
    void saved();      // the current file or the clean state (the title follows)
    void corrected();  // showing or sending the data corrected them (the hex dump follows)

private:
    void Changed(const ChangeNotice& notice);
    Subscription subscription_;
};

}  // namespace rp770::ui

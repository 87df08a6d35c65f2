#pragma once
// The editing session's notices as Qt signals, for the window's widgets.
// Listens from construction to destruction; the session must outlive it.

#include <QObject>

#include "workspace/Workspace.h"

namespace rp770::ui {

class WorkspaceEvents : public QObject, private WorkspaceListener {
    Q_OBJECT
public:
    WorkspaceEvents(Workspace& workspace, QObject* parent);
    ~WorkspaceEvents() override;

signals:
    void edited();
    void restored();
    void replaced();
    void saved();

private:
    void WorkspaceChanged(Change change) override;
    Workspace& workspace_;
};

}  // namespace rp770::ui

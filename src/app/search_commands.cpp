// The frame's search entries act on the active document window.
#include "app/search_commands.h"

#include <QAction>

#include "app/main_window.h"
#include "documents/mdi_child.h"

void BindSearchCommands(TMainForm& form, std::function<TMDIChild*()> activeDocument) {
    auto bind = [&form, activeDocument](QAction* entry, QAction* (TMDIChild::*action)() const) {
        form.BindCommand(entry, [activeDocument, action] {
            if (TMDIChild* document = activeDocument()) (document->*action)()->trigger();
        });
    };
    bind(form.EditFind1(), &TMDIChild::actSearch);
    bind(form.EditFindNext1(), &TMDIChild::actSearchNext);
    bind(form.EditFindPrevious1(), &TMDIChild::actSearchPrev);
    bind(form.EditReplace1(), &TMDIChild::actSearchReplace);
}

// What the components that attach to a multiple-document main window share: finding the
// window's client area (the QMdiArea that holds the document windows) and hiding its scroll
// bars until the area next recomputes them.
#pragma once

class QMdiArea;
class QObject;
class QWidget;

// The client area of owner when owner is a window with one; otherwise throws
// EComponentError("This component must be owned by an MDI Main Form").
QMdiArea* MDIClientOf(QObject* owner);

// Hides both scroll bars of area; the area shows them again when it next lays itself out and
// finds a document window reaching beyond it.
void HideMDIScrollBars(QMdiArea& area);

#pragma once
// The names of the undo steps that the user's events are, as the Edit menu shows them ("Undo
// Remove Variable"). Only what changes the study is a step: the file names, the selections and
// the page on top are not.

#include <QString>
#include <string>

namespace wintarvel::view {

// The step that typing in the named edit is; empty when it is no step.
std::string typingStep(const QString& editName);
// The step that a click on the named button, arrows or command is; empty when it is no step.
std::string commandStep(const QString& name);
// The step that Enter (13) or '.' (46) is in the named name box or list.
std::string keyStep(const QString& name, char key);

}  // namespace wintarvel::view

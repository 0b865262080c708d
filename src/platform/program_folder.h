#pragma once

#include <QString>

namespace zelvora {

// The program folder without a trailing separator. ZELVORA_PROGRAM_FOLDER
// when that is set; otherwise the folder chosen once per run by
// ChooseProgramFolder() from the executable's folder, the installed data
// beside it (../share/zelvora) and the per-user folder
// ($XDG_DATA_HOME/zelvora, by default ~/.local/share/zelvora).
QString ProgramFolder();

// Turns a path written with backslashes ("<folder>\html\einleitung.htm")
// into a native path. A trailing backslash stays a trailing separator.
QString NativePath(const QString& path);

// The places a program folder can be found in.
struct ProgramFolderPlaces {
  QString executableFolder;
  // The read-only data of an installed program.
  QString installedData;
  QString userFolder;
};

// The program writes its settings file and workbooks into its program
// folder, so a folder it cannot write is no program folder. The
// executable's folder is used when it holds the program's data and can be
// written (a built program runs where it stands); otherwise the per-user
// folder, filled from the installed data first. When the per-user folder
// cannot be made, the installed data is used as it is, so the program still
// starts (it just cannot save).
QString ChooseProgramFolder(const ProgramFolderPlaces& places);

// True when the folder holds the program's pages, maps, pictures,
// workbooks, tips and link table.
bool IsCompleteProgramFolder(const QString& folder);

// Copies every file below `from` that `to` does not have yet, sub-folders
// included; files already in `to` are never touched. False when a file
// could not be copied (the others still are).
bool FillProgramFolder(const QString& from, const QString& to);

}  // namespace zelvora

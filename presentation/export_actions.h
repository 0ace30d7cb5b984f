// The window's 文件 → 导出 ▸ menu: the last complete job as a coordinate
// table (CSV), a CASS coordinate file, a DXF drawing or a GNU Gama network.
//
// The entries are enabled once a job has run to its end. Each asks for a file
// name in the file dialog (the CASS file's encoding, GB18030 or UTF-8, is
// chosen there as its file type), writes the file whole through the core's
// export, with the job's quality analysis, and says so in the status bar; a
// file that cannot be written, or a point name the format cannot carry, is
// told in a warning box and nothing is written.
#pragma once

namespace kestrane {

class MainWindow;

// Object names of the menu and its entries.
inline constexpr const char* exportMenuName = "exportMenu";
inline constexpr const char* exportCsvActionName = "exportCsvAction";
inline constexpr const char* exportCassActionName = "exportCassAction";
inline constexpr const char* exportDxfActionName = "exportDxfAction";
inline constexpr const char* exportGamaActionName = "exportGamaAction";

// Adds the export menu to the window's file menu, above its closing entry.
// Call from the window's constructor, once the menus exist.
void addExportMenu(MainWindow& window);

}  // namespace kestrane

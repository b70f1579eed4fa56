#pragma once
// The cabinet's machine-number marker files "pg%04d.idx" in the working folder: one file naming the
// machine number, whose content is its own name.

#include <string>

// Deletes every file of the folder matching "pg*.idx" (folders and names beginning with '.' are
// left alone). Returns how many were deleted.
int DeleteMachineMarkers(const std::string& strFolder);

// Replaces every marker of the folder by the one of this machine number (0, not yet set, to 999).
// False when the number is out of range or the file cannot be written.
bool WriteMachineMarker(const std::string& strFolder, int nMachineNumber);

// The marker's file name, "pg%04d.idx".
std::string MachineMarkerName(int nMachineNumber);

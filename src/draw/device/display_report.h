#pragma once
// The display section of the run report, written once the drawing device
// runs, and the video memory that picture placement asks about.

// Appends the screen mode, depth and what the device offers; with format
// checks also the verdict of every texture-format question. 0 when the
// report cannot be written.
int DisplayReport(int withFormatChecks);
// The Direct3D part of it; 0 without a Direct3D device.
int Direct3DReport(int withFormatChecks);

// Free and total video memory in whole MB (note the order: free first). The
// software DirectDraw path keeps its surfaces in main memory, so that is
// what it reports; both 0 without a DirectDraw device.
void GetVideoMemoryMB(int& freeMB, int& totalMB);
// Less than a fifth of the video memory is free (never when none is
// reported): pictures made now go to system memory instead.
bool VideoMemoryShort();

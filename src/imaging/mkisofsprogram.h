#pragma once

// What the program relies on from the image builder. Debian's genisoimage is
// the mkisofs here; any program under that name that keeps these serves.
namespace Mkisofs {

// The file looked up in the program folder, and the name shown when it is missing.
inline constexpr char ProgramName[] = "mkisofs";

// Arguments, in this order: GuiSwitch, DvdVideoSwitch, NoCacheInodesSwitch,
// SplitSwitch (only when splitting), VolumeIdSwitch and the Volume ID,
// OutputSwitch and the output file, then the source folder.
inline constexpr char GuiSwitch[] = "-gui";
inline constexpr char DvdVideoSwitch[] = "-dvd-video";
// Hard-linked files (a duplicate finder links each .BUP to its .IFO) would
// otherwise share one copy in the image, which moves every file after them off
// the sectors the information files give.
inline constexpr char NoCacheInodesSwitch[] = "-no-cache-inodes";
inline constexpr char SplitSwitch[] = "-split-output";
inline constexpr char VolumeIdSwitch[] = "-V";
inline constexpr char OutputSwitch[] = "-o";

// With GuiSwitch a progress line is printed for every 500 extents, such as
// "  23.70% done, estimate finish Tue Dec  8 00:00:00 2026": optional blanks,
// then the percentage done. Only its whole-number part is shown.
inline constexpr int ProgressMaximum = 100;

// Exit status: 0 means the image was written. genisoimage exits 255 on DVD
// structure errors, with an errno value on I/O errors, and dies by the signal on
// SIGTERM (a shell reports 143). Every status but 0 is a failure.
inline constexpr int SuccessExitCode = 0;
inline constexpr int DvdStructureExitCode = 255;

// With SplitSwitch the image is written as chunks named after the output file,
// counting from 00. The builder moves on to the next chunk before a write once
// the current one holds 1 GiB, so a chunk may run a little over that; the
// chunks are counted by the bytes they hold, not by dividing the image size.
// The builder also deletes a file under the output name itself.
inline constexpr char ChunkNameFormat[] = "%s_%2.2d";
inline constexpr int ChunkLimit = 100;

} // namespace Mkisofs

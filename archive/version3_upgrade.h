// Conversion of a version 3 archive into the current format, run by Open.
#ifndef VELTRANO_ARCHIVE_VERSION3_UPGRADE_H
#define VELTRANO_ARCHIVE_VERSION3_UPGRADE_H

struct DpfState;

// Rewrites dpfFile in the current format (keeping the old file beside it as
// <name>_v3.dpf) and returns a descriptor open on the new file, positioned
// just past its signature, with state.signature reloaded; 0 or less on
// failure, in which case the version 3 file is left in place.
int Update3to4(DpfState& state, const char* dpfFile);

#endif

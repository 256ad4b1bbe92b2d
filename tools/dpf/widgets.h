// GUI widgets in archives: the pictures of a widget stored as "TILB2"
// blocks and its "BUT" header written through the SDK's own widget saver,
// then loaded back through the SDK to prove it can be made; listings show a
// widget's type and pictures.
#ifndef VELTRANO_DPF_WIDGETS_H
#define VELTRANO_DPF_WIDGETS_H

#include <string>

#include "archive_session.h"
#include "command_line.h"

constexpr char kWidgetBlockType[] = "BUT";

// "add ARCHIVE NORMAL PRESSED OFF [SELECTED] --button TYPE --name NAME ...";
// the process's exit code.
int AddWidget(const Arguments& args);

// "Slider, range 10, value 3, key 'space', pictures s_n s_p s_o" for a BUT
// block, or "" for other blocks.
std::string WidgetDescription(ArchiveSession& archive, const BlockEntry& block);

#endif

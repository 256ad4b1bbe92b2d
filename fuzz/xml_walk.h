// Shared by the XML fuzz targets: every cursor and content operation run over
// an open document, then a check that closing it left the table empty.
#ifndef VELTRANO_FUZZ_XML_WALK_H
#define VELTRANO_FUZZ_XML_WALK_H

#include <cstdlib>

#include "Veltrano_Main.h"

namespace xml_walk {

constexpr int kMaxSteps = 2000;

// The next element in document order through Child, Next and Parent;
// false after the last one.
inline bool StepForward(int h) {
    if (Veltrano.XMLNodeChild(h) == 1) return true;
    while (Veltrano.XMLNodeNext(h) != 1)
        if (Veltrano.XMLNodeParent(h) != 1) return false;
    return true;
}

// Reads every element depth first, then edits; steps are bounded so a wide
// document cannot stall a run.
inline void Walk(int h) {
    if (Veltrano.XMLNodeFirst(h) != 1) return;
    Veltrano.XMLNodeStore(h);
    char* text = nullptr;
    int number = 0;
    double real = 0;
    for (int step = 0; step < kMaxSteps; ++step) {
        Veltrano.XMLNodeGetName(h);
        Veltrano.XMLAttributeGet(h, "a", &text);
        Veltrano.XMLAttributeGet(h, "a", &number);
        Veltrano.XMLAttributeGet(h, "a", &real);
        Veltrano.XMLTextGet(h);
        Veltrano.XMLCommentGet(h);
        Veltrano.XMLNodePrev(h);
        if (!StepForward(h)) break;
    }
    Veltrano.XMLNodeRestore(h);
    Veltrano.XMLTextSet(h, "t");
    Veltrano.XMLCommentSet(h, "c");
    Veltrano.XMLAttributeSet(h, "a", 1);
    Veltrano.XMLAttributeRemove(h, "a");
    Veltrano.XMLTextRemove(h);
    Veltrano.XMLCommentRemove(h);
    if (Veltrano.XMLNodeChild(h) == 1) {
        Veltrano.XMLNodeStore(h);
        Veltrano.XMLNodeParent(h);
        Veltrano.XMLNodeRemove(h);  // takes the stored child with it
        Veltrano.XMLNodeRestore(h);
        Veltrano.XMLNodeGetName(h);
    }
    Veltrano.XMLNodePointTo(h, 2, "setup", "video");
    Veltrano.XMLNodeRename(h, "renamed");
}

// Closes the document and aborts when any entry is still in use.
inline void CloseAndCheck(int h) {
    Veltrano.XMLClose(h);
    for (int entry = 1; entry <= 10; ++entry)
        if (Veltrano.XMLNodeFirst(entry) != 0 || Veltrano.XMLNodeGetName(entry) != nullptr) std::abort();
}

}  // namespace xml_walk

#endif

// Loads a line drawing (.pnt) from arbitrary bytes into the line document. The load may refuse
// the bytes with CArchiveException, but must not crash, leak, free a line twice or leave an
// element that is not a line.
#include "line.h"
#include "paint_doc.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CPaintDoc doc;
    CMemFile file(data, static_cast<UINT>(size));
    try {
        CArchive ar(&file, CArchive::load);
        doc.Serialize(ar);
    } catch (const CArchiveException&) {
        if (doc.GetLineCount() != 0)
            std::abort(); // a refused file must leave nothing behind
        return 0;
    }
    std::set<const CLine*> lines;
    for (int i = 0; i < doc.GetLineCount(); ++i) {
        const CLine* pLine = doc.GetLine(i);
        if (!pLine || !pLine->IsKindOf(RUNTIME_CLASS(CLine)) || !lines.insert(pLine).second)
            std::abort();
    }
    return 0;
}

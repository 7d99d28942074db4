// Feeds arbitrary markup and markers to the three scans and checks what
// must hold for every input: each scan ends within one pass per character,
// appends only text that stands in the markup, and finds nothing where its
// marker does not occur.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/Vhtml/HtmlScans.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

struct Counted {
    size_t passes = 0;
    Vhtml::TScanPass Hook() {
        return [this] { ++passes; };
    }
};

void CheckLines(const TStringList& lines, const std::string& markup, bool noQuotes) {
    for (int i = 0; i < lines.Count(); ++i) {
        const AnsiString line = lines[i];
        Require(markup.find(line) != std::string::npos);
        if (noQuotes) Require(line.find('"') == std::string::npos);
    }
}

template <class Scan>
void RunScan(const std::string& markup, const std::string& marker, bool noQuotes, Scan scan) {
    TStringList lines;
    Counted counter;
    const bool result = scan(lines, counter.Hook());
    Require(counter.passes <= markup.size());
    CheckLines(lines, markup, noQuotes);
    if (markup.find(marker) == std::string::npos) Require(!result && lines.Count() == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string start = input.ConsumeRandomLengthString(12);
    const std::string value = input.ConsumeRandomLengthString(12);
    const std::string end = input.ConsumeRandomLengthString(12);
    const std::string markup = input.ConsumeRemainingBytesAsString();

    RunScan(markup, "<A href=\"", true,
            [&](TStrings& t, const Vhtml::TScanPass& p) { return Vhtml::ScanLinks(markup, t, p); });
    RunScan(markup, "<IMG ", true,
            [&](TStrings& t, const Vhtml::TScanPass& p) { return Vhtml::ScanImages(markup, t, p); });
    if (!start.empty())
        RunScan(markup, start, false, [&](TStrings& t, const Vhtml::TScanPass& p) {
            return Vhtml::ScanValues(markup, start, value, end, t, p);
        });
    TStringList none;
    if (start.empty() || value.empty() || end.empty())
        Require(!Vhtml::ScanValues(markup, start, value, end, none) && none.Count() == 0);
    return 0;
}

// The start-up processor check: vendor and model name, the MMX requirement,
// and the copy routine for the processor's generation.
#include "cpu/cpu.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "cpu/cpu_probe.h"
#include "veltrano_cpu.h"

namespace {

// The longest name-mode text is the CPUID message with its terminator.
constexpr size_t kNameCapacity = 59;

constexpr char kNoCpuidLog[] =
    " . [Veltrano.GetCPUFeatures()] Error: CPUID not available! Your CPU must be 486 or less\n";
constexpr char kNoCpuidName[] = "CPUID not available! A Pentium class processor is required";
constexpr char kNoMmxLog[] = " . [Veltrano.GetCPUFeatures()] Error: MMX not present!.\n";
constexpr char kNoMmxName[] = "MMX not available! MMX instruction set are required";

struct Signature {
    int family;
    int model;
    int ext;  // extended model
};

// Which signature numbers a row's texts print.
enum class Numbers { None, Model, ExtModel, FamilyExtModel };
// Whether a row wants the extended model to be 1.
enum class ExtRule { Any, One, NotOne };

constexpr int kAnyFamily = -1;
constexpr uint16_t kAnyModel = 0xFFFF;

constexpr uint16_t Models(std::initializer_list<int> models) {
    uint16_t mask = 0;
    for (int model : models) mask |= static_cast<uint16_t>(1u << model);
    return mask;
}

// One line of a vendor's model table; the first matching row names the model.
struct ModelRow {
    int family;
    uint16_t models;
    ExtRule ext;
    const char* logText;   // printf format taking `numbers`
    const char* nameText;  // the same for the name buffer
    Numbers numbers;
    int path;
};

constexpr ModelRow Named(int family, uint16_t models, const char* text, int path,
                         ExtRule ext = ExtRule::Any) {
    return {family, models, ext, text, text, Numbers::None, path};
}

constexpr ModelRow Numbered(int family, uint16_t models, const char* logText, const char* nameText,
                            Numbers numbers, int path) {
    return {family, models, ExtRule::Any, logText, nameText, numbers, path};
}

constexpr ModelRow kUnknownFamily = Numbered(kAnyFamily, kAnyModel, "- Family %d - Model: %d-%d ",
                                             "- Family %d - Model %d-%d", Numbers::FamilyExtModel, 0);

constexpr ModelRow kAmdModels[] = {
    Named(5, Models({0, 1, 2, 3, 6, 7}), "- K6 ", 0),
    Named(5, Models({8}), "- K6-2 ", 0),
    Named(5, Models({9}), "- K6-III ", 0),
    Numbered(5, kAnyModel, "- K5/K6 (%d) ", "- K5/K6 (Model %d) ", Numbers::Model, 0),
    Named(6, Models({1, 2, 4}), "- Athlon ", 10),
    Named(6, Models({3}), "- Duron(A) ", 10),
    Named(6, Models({6}), "- AthlonXP(A) ", 11),
    Named(6, Models({7}), "- Duron(B) ", 11),
    Named(6, Models({8}), "- Sempron ", 11),
    Named(6, Models({10}), "- AthlonXP(B) ", 11),
    Numbered(6, kAnyModel, "- Duron/Athlon (%d)", "- Duron/Athlon (Model %d) ", Numbers::Model, 10),
    Named(15, Models({2}), "- Phenom X3/X4", 19),
    Named(15, Models({3, 11}), "- Athlon X2 ", 19),
    Numbered(15, kAnyModel, "- Athlon64 (%d-%d)", "- Athlon64 (Model %d-%d) ", Numbers::ExtModel, 19),
    kUnknownFamily,
};

constexpr ModelRow kIntelModels[] = {
    Named(5, kAnyModel, "- Pentium ", 0),
    Named(6, Models({0, 1}), "- Pentium Pro ", 0),
    Named(6, Models({3, 5}), "- Pentium II ", 0, ExtRule::NotOne),
    Named(6, Models({3, 5}), "- Core i5 (Arrandale) ", 21, ExtRule::One),
    Named(6, Models({6}), "- Celeron ", 0, ExtRule::NotOne),
    Named(6, Models({6}), "- Core 2 Single core ", 20, ExtRule::One),
    Named(6, Models({7, 8}), "- Pentium III ", 14, ExtRule::NotOne),
    Named(6, Models({7, 8}), "- Core 2 Dual core ", 20, ExtRule::One),
    Named(6, Models({9}), "- Banias ", 12),
    Named(6, Models({10}), "- Core i7 (Sandy Bridge) ", 21),
    Named(6, Models({12}), "- Core i7 (Westmere) ", 21, ExtRule::One),
    Named(6, Models({12}), "- Atom ", 12, ExtRule::NotOne),
    Named(6, Models({13}), "- Dothan ", 13),
    Named(6, Models({14}), "- Core i7 (Nehalem) ", 21, ExtRule::One),
    Named(6, Models({14}), "- Core Duo ", 20, ExtRule::NotOne),
    Named(6, Models({15}), "- Core 2 Duo ", 20),
    Numbered(6, Models({2, 4, 11}), "- Pentium (%d-%d) ", "- Pentium (Model %d-%d) ", Numbers::ExtModel, 0),
    Named(15, Models({0, 1}), "- Pentium 4(Willamette) ", 0),
    Named(15, Models({2}), "- Pentium 4(Northwood) ", 16),
    Named(15, Models({3}), "- Pentium 4(Prescott) ", 17),
    Named(15, Models({4}), "- Pentium 4(Prescott+) ", 18),
    Named(15, Models({6}), "- Pentium 4(DualCore) ", 18),
    Numbered(15, kAnyModel, "- Pentium 4 (%d-%d) ", "- Pentium 4 (Model %d-%d) ", Numbers::ExtModel, 0),
    kUnknownFamily,
};

bool Matches(const ModelRow& row, const Signature& signature) {
    if (row.family != kAnyFamily && row.family != signature.family) return false;
    if ((row.models & (1u << signature.model)) == 0) return false;
    switch (row.ext) {
        case ExtRule::One: return signature.ext == 1;
        case ExtRule::NotOne: return signature.ext != 1;
        case ExtRule::Any: break;
    }
    return true;
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::string RowText(const char* format, Numbers numbers, const Signature& s) {
    switch (numbers) {
        case Numbers::Model: return Format(format, s.model);
        case Numbers::ExtModel: return Format(format, s.ext, s.model);
        case Numbers::FamilyExtModel: return Format(format, s.family, s.ext, s.model);
        case Numbers::None: break;
    }
    return format;
}

// Collects the findings: in log mode one line for the log, in name mode text
// in the caller's buffer, which is written from its start.
class Findings {
public:
    explicit Findings(char* buffer) : buffer_(buffer) {
        if (buffer_ != nullptr) buffer_[0] = '\0';
    }

    void Add(const std::string& logText, const std::string& nameText) {
        if (buffer_ == nullptr) {
            line_ += logText;
            return;
        }
        const size_t used = std::strlen(buffer_);
        std::snprintf(buffer_ + used, kNameCapacity - used, "%s", nameText.c_str());
    }

    // The processor is refused: the log gets the line so far and the error,
    // the buffer holds only the message.
    int Reject(const char* logError, const char* nameMessage) {
        if (buffer_ != nullptr) {
            std::snprintf(buffer_, kNameCapacity, "%s", nameMessage);
        } else {
            WriteLine();
            ILogSystem.Msg(0, "%s", logError);
        }
        return 0;
    }

    // The processor is accepted; log mode ends the line and selects the path.
    int Accept(int path) {
        if (buffer_ != nullptr) return 1;
        line_ += "\n";
        WriteLine();
        return SelectCPUCore(path) != 0 ? 1 : 0;
    }

private:
    void WriteLine() {
        if (!line_.empty()) ILogSystem.Msg(0, "%s", line_.c_str());
        line_.clear();
    }

    char* buffer_;
    std::string line_;
};

// Names the model from the vendor's table; returns its code path.
template <size_t kRows>
int NameModel(const ModelRow (&table)[kRows], const Signature& signature, Findings& findings) {
    for (const ModelRow& row : table) {
        if (!Matches(row, signature)) continue;
        findings.Add(RowText(row.logText, row.numbers, signature),
                     RowText(row.nameText, row.numbers, signature));
        return row.path;
    }
    return 0;
}

// Names the vendor and the model; returns the code path.
int NameProcessor(const char* vendor, const Signature& signature, Findings& findings) {
    switch (vendor[0]) {
        case 'A':
            findings.Add(" . Running on AMD processor ", "AMD ");
            return NameModel(kAmdModels, signature, findings);
        case 'G':
            findings.Add(" . Running on INTEL processor ", "INTEL ");
            return NameModel(kIntelModels, signature, findings);
        default:
            findings.Add(Format(" . Running on %s - Family %d - Model: %d-%d  ", vendor, signature.family,
                                signature.ext, signature.model),
                         Format("%s - Family %d - Model %d-%d", vendor, signature.family, signature.ext,
                                signature.model));
            return 0;
    }
}

}  // namespace

int RunCpuCheck(char* buffer) {
    const CpuFacts facts = ProbeCpu();
    // Without CPUID nothing can be learnt; the plain copy is always safe.
    if (!facts.hasCpuid) return buffer != nullptr ? 1 : SelectCPUCore(0);

    Findings findings(buffer);
    if (facts.highestLeaf < 1) return findings.Reject(kNoCpuidLog, kNoCpuidName);

    char vendor[sizeof facts.vendor];
    std::memcpy(vendor, facts.vendor, sizeof vendor);
    vendor[sizeof vendor - 1] = '\0';
    const Signature signature{SignatureFamily(facts.signature), SignatureModel(facts.signature),
                              SignatureExtModel(facts.signature)};
    const int path = NameProcessor(vendor, signature, findings);

    if (!facts.hasMmx) return findings.Reject(kNoMmxLog, kNoMmxName);
    findings.Add("- MMX", "- MMX ");
    if (facts.hasSse) findings.Add(" - SSE", "- SSE");
    return findings.Accept(path);
}

#pragma once
// The two-digit code records ConRecInfo (construct numbers) and CorRecInfo (correlation codes):
// one entry per dyadic variable, entry p in characters 2p and 2p+1.
//
// A record may come from a damaged set file, so nothing here trusts its length or its
// characters:
//  - an entry the record does not hold (past its end) reads as "00";
//  - an entry that is not two decimal digits reads as "00" as well: it names no construct and
//    no correlation set;
//  - a change to an entry the record does not hold, or a code that is not two characters,
//    changes nothing.
// So a damaged entry behaves like "none", and the verification's normalisation later gives such a
// variable a code of its own.

#include <string>

namespace wintarvel::codes {

inline constexpr const char* kNone = "00";

// The largest number an entry can hold.
inline constexpr int kMaxCode = 99;

// A number as an entry: two digits; a number that does not fit counts as none ("00"), so that
// every entry keeps its two characters.
std::string Code(int n);

// "01", "02", ... up to `count`: every variable with a code of its own.
std::string Numbered(int count);

// Number of complete two-character entries.
int EntryCount(const std::string& record);

// True when the record holds entry p.
bool HoldsEntry(const std::string& record, int p);

// Entry p as a code: its two characters when both are decimal digits, "00" otherwise.
std::string Entry(const std::string& record, int p);

// The number entry p stands for, 0 for "00" and for an absent or damaged entry.
int EntryValue(const std::string& record, int p);

// Overwrites entry p when the record holds it and the code has two characters.
void SetEntry(std::string& record, int p, const std::string& code);

// Cuts entry p out when the record holds it; the entries behind it move forward.
void CutEntry(std::string& record, int p);

// Exchanges entries a and b when the record holds both.
void SwapEntries(std::string& record, int a, int b);

// Exactly `count` entries read as above: cut after the last one, missing ones added as "00" and
// damaged ones replaced by "00".
std::string Fitted(const std::string& record, int count);

// Every entry equal to a or b becomes the smaller of the two (compared as texts, which for two
// digits is the smaller number). Entries that read as "00" are never touched.
void MergeSets(std::string& record, const std::string& a, const std::string& b);

}  // namespace wintarvel::codes

#pragma once
// Reading and writing single entries of the two-digit code records ConRecInfo (construct numbers)
// and CorRecInfo (correlation codes). Entry p takes characters 2p and 2p+1.
//
// A record may come from a damaged set file, so nothing here trusts its length or its
// characters:
//  - an entry the record does not hold (past its end) reads as "00";
//  - an entry that is not two decimal digits reads as "00" as well: it names no construct and
//    no correlation set;
//  - a write to an entry the record does not hold, or of a code that is not two characters,
//    changes nothing.
// So a damaged entry behaves like "none", and the verification's normalisation later gives such a
// variable a code of its own.

#include <string>

namespace wintarvel::cor {

inline constexpr const char* kNone = "00";

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

// Exactly `count` entries read as above: cut after the last one, missing ones added as "00" and
// damaged ones replaced by "00".
std::string Fitted(const std::string& record, int count);

// Every entry equal to a or b becomes the smaller of the two (compared as texts, which for two
// digits is the smaller number). Entries that read as "00" are never touched.
void MergeSets(std::string& record, const std::string& a, const std::string& b);

}  // namespace wintarvel::cor

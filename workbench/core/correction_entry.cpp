#include "workbench/core/correction_entry.h"

#include <algorithm>

#include "navlib/false_warnings.h"

namespace orvex {

namespace {
// The longest run of minutes kept: far beyond the template already.
constexpr size_t kMaxMinuteDigits = 6;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

CorrectionEntry::Number CorrectionEntry::Read() const {
    Number n;
    for (char c : typed_) {
        if (c == '+' || c == '-')
            n.Sign = c;
        else if (c == '.')
            n.Separator = true;
        else if (n.Separator)
            n.Hundredths.push_back(c);
        else
            n.Minutes.push_back(c);
    }
    if (!n.Separator && n.Minutes.size() == 4) {  // the cell's digits: MMmm
        n.Hundredths = n.Minutes.substr(2);
        n.Minutes.resize(2);
        n.Separator = true;
    }
    return n;
}

bool CorrectionEntry::Fitted(const Number& n, std::string& minutes) const {
    const size_t room = n.Sign != 0 ? 2 : 3;
    minutes = n.Minutes;
    while (minutes.size() > room && minutes[0] == '0') minutes.erase(0, 1);
    return minutes.size() <= room;
}

void CorrectionEntry::StartFrom(const std::string& shown, const std::string& decSep) {
    typed_.clear();
    const size_t sep = shown.find(decSep);
    const std::string before = shown.substr(0, sep);
    for (char c : before)
        if (c == '+' || c == '-' || IsDigit(c)) typed_.push_back(c);
    if (sep == std::string::npos) return;
    std::string after;
    for (char c : shown.substr(sep + decSep.size()))
        if (IsDigit(c)) after.push_back(c);
    if (!after.empty()) typed_ += "." + after;
}

bool CorrectionEntry::Type(char c) {
    const Number n = Read();
    if (c == '+' || c == '-') {
        // Kept where it was typed, so that Backspace takes it back in turn.
        typed_.erase(std::remove_if(typed_.begin(), typed_.end(),
                                    [](char t) { return t == '+' || t == '-'; }),
                     typed_.end());
        typed_.push_back(c);
        return true;
    }
    if (c == '.' || c == ',') {
        if (n.Separator) return false;
        typed_.push_back('.');
        return true;
    }
    if (!IsDigit(c)) return false;
    const bool afterSeparator = typed_.find('.') != std::string::npos;
    const size_t digits = static_cast<size_t>(std::count_if(typed_.begin(), typed_.end(), IsDigit));
    if (afterSeparator ? n.Hundredths.size() >= 2 : digits >= kMaxMinuteDigits) return false;
    typed_.push_back(c);
    return true;
}

bool CorrectionEntry::Backspace() {
    if (typed_.empty()) return false;
    typed_.pop_back();
    return true;
}

bool CorrectionEntry::Beyond() const {
    std::string minutes;
    return !Fitted(Read(), minutes);
}

int CorrectionEntry::Caret() const {
    const Number n = Read();
    if (Beyond()) return 6;
    return n.Separator ? 4 + static_cast<int>(n.Hundredths.size()) : 3;
}

std::string CorrectionEntry::Text(const std::string& decSep) const {
    const Number n = Read();
    std::string minutes;
    if (!Fitted(n, minutes))
        return std::string(1, n.Sign == '-' ? '-' : '+') + "99" + decSep + "99";
    std::string head = "___";
    ORVEX_GCC12_FALSE_RESTRICT_BEGIN  // = "0" (navlib/false_warnings.h)
    if (minutes.empty() && n.Separator) minutes = "0";
    ORVEX_GCC12_FALSE_RESTRICT_END
    head.replace(3 - minutes.size(), minutes.size(), minutes);
    if (n.Sign != 0) head[0] = n.Sign;
    std::string tail = n.Hundredths;
    tail.resize(2, '_');
    return head + decSep + tail;
}

}  // namespace orvex

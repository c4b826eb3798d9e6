// The keys a navigator types into an instrument-correction field (the
// conditions tab's and the grid cell's), read as the number a person
// writes: an optional sign, the minutes, then after the decimal separator
// the hundredths. "75" is 75', "075" 75', "120" 120', "-1.5" -1.5'. Four
// digits typed without a separator are the minutes and hundredths as the
// cell shows them: "0120" is 1.20' (the cell's +01.20), "-0120" -1.20'. A
// sign may be typed at any time: it becomes the number's sign (a later sign
// replaces an earlier one), never lost.
//
// The field shows the number in its template "+9#" sep "##" (six places:
// sign or hundreds, tens, units, the separator, tenths, hundredths; "_"
// where nothing is typed): the minutes right-aligned before the separator,
// the sign in the first place. A number whose minutes do not fit (three
// digits after a sign, or four without) lies beyond the fields' +-99.99':
// the field then shows "+99.99" or "-99.99" and Beyond() is true (the grid
// cell stores that limit; the conditions field refuses the entry). Digits
// after the hundredths, a second separator and letters are not taken.
#pragma once

#include <string>

namespace orvex {

class CorrectionEntry {
  public:
    // Starts afresh: nothing typed.
    void Clear() { *this = CorrectionEntry(); }
    // Starts from a text the field shows (its six places), as if the number
    // it holds had been typed; decSep is the separator of the template.
    void StartFrom(const std::string& shown, const std::string& decSep);
    // Takes one typed character (a digit, "+", "-", "." or ","); false when
    // it is not taken.
    bool Type(char c);
    // Takes back the last character typed (a sign typed after the digits
    // stays); false when nothing is typed.
    bool Backspace();
    // The field's text for the number typed so far.
    std::string Text(const std::string& decSep) const;
    // True when the minutes typed do not fit the template.
    bool Beyond() const;
    // The place after the one typed last: before the separator (3) while
    // minutes are typed, after the hundredths typed once it is.
    int Caret() const;
    bool Empty() const { return typed_.empty(); }

  private:
    struct Number {
        char Sign = 0;        // 0, '+' or '-'
        std::string Minutes;  // the digits before the separator, as typed
        bool Separator = false;
        std::string Hundredths;  // at most two digits
    };
    Number Read() const;
    // The minutes that fit the template (leading zeros dropped as needed),
    // or false when they do not fit.
    bool Fitted(const Number& n, std::string& minutes) const;

    std::string typed_;  // the characters taken, in order ("." for the separator)
};

}  // namespace orvex

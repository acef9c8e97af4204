#pragma once
// What the FatturaPA writers of every format version compose with: the schema's text types
// as rules, and a composer that writes a value only when it fits its type and otherwise
// collects, in Italian, what the operator must correct.

#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp1252.h"
#include "core/numbers.h"
#include "core/text.h"
#include "customers/customer_record.h"
#include "fatturapa/xml_lines.h"
#include "fatturapa/xml_text.h"

namespace qorvana::fpaxml {

using std::string_view;

// What a text element of the 1.0 schema accepts, after Keep text and trimming.
struct TextRule {
    XmlCharset charset;
    std::size_t minLength;
    std::size_t maxLength;
    bool (*accepts)(string_view value) = nullptr;
    bool upperCase = false;
};

inline bool AllOf(string_view v, bool (*ok)(char)) {
    for (char c : v)
        if (!ok(c)) return false;
    return true;
}
inline bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool IsUpperOrDigit(char c) {
    return IsUpper(c) || IsDigit(c);
}
inline bool IsAlnum(char c) {
    return IsUpperOrDigit(c) || (c >= 'a' && c <= 'z');
}
inline bool UpperLetters(string_view v) {
    return AllOf(v, IsUpper);
}
inline bool Digits(string_view v) {
    return AllOf(v, IsDigit);
}
inline bool UpperOrDigits(string_view v) {
    return AllOf(v, IsUpperOrDigit);
}
// EmailType: ".+@.+[.]+.+".
inline bool EmailShape(string_view v) {
    const auto at = v.find('@', 1);
    const auto dot = v.size() < 2 ? string_view::npos : v.rfind('.', v.size() - 2);
    return at != string_view::npos && dot != string_view::npos && dot >= at + 2;
}
// IBANType: two letters, two digits, then letters and digits.
inline bool IbanShape(string_view v) {
    return v.size() >= 4 &&
           AllOf(v.substr(0, 2), [](char c) { return IsAlnum(c) && !IsDigit(c); }) &&
           Digits(v.substr(2, 2)) && AllOf(v.substr(4), IsAlnum);
}

inline constexpr TextRule kLatin60{XmlCharset::Latin1, 1, 60};
inline constexpr TextRule kLatin80{XmlCharset::Latin1, 1, 80};
inline constexpr TextRule kLatin100{XmlCharset::Latin1, 1, 100};
inline constexpr TextRule kBasic10{XmlCharset::BasicLatin, 1, 10};
inline constexpr TextRule kBasic15{XmlCharset::BasicLatin, 1, 15};
inline constexpr TextRule kBasic20{XmlCharset::BasicLatin, 1, 20};
inline constexpr TextRule kIdCode{XmlCharset::Latin1, 1, 28};
inline constexpr TextRule kCountry{XmlCharset::BasicLatin, 2, 2, UpperLetters, true};
inline constexpr TextRule kProvince{XmlCharset::BasicLatin, 2, 2, UpperLetters, true};
inline constexpr TextRule kPostcode{XmlCharset::BasicLatin, 5, 5, Digits};
inline constexpr TextRule kRecipientCode{XmlCharset::BasicLatin, 6, 6, UpperOrDigits, true};
inline constexpr TextRule kTaxCode{XmlCharset::BasicLatin, 11, 16, UpperOrDigits, true};
inline constexpr TextRule kPhone{XmlCharset::BasicLatin, 5, 12};
inline constexpr TextRule kEmail{XmlCharset::Latin1, 7, 256, EmailShape};
inline constexpr TextRule kIban{XmlCharset::BasicLatin, 27, 27, IbanShape};
inline constexpr TextRule kAnyIban{XmlCharset::BasicLatin, 15, 34, IbanShape};  // 1.2.x
inline constexpr TextRule kBankCode{XmlCharset::BasicLatin, 5, 5, Digits};      // ABI, CAB

enum class Need { Always, WhenNotEmpty };

inline const char* const kWithholdingRequest =
    "Ritenuta d'acconto: scegliere nel riepilogo dati fatturaPA il tipo di ritenuta (da RT01 a "
    "RT06) e la causale del pagamento";

// Composes the XML and collects what keeps it from being valid.
class Composer {
  public:
    explicit Composer(std::size_t expectedSize) : xml_(expectedSize) {}

    XmlLines& xml() { return xml_; }
    std::vector<std::string>& problems() { return problems_; }
    void problem(std::string text) { problems_.push_back(std::move(text)); }

    // True when the stored text is empty after Keep text and trimming.
    bool empty(string_view stored) {
        value(stored, XmlCharset::Latin1, false);
        return scratch_.empty();
    }

    void text(string_view tag, string_view stored, const TextRule& rule, string_view label,
              Need need = Need::Always) {
        value(stored, rule.charset, rule.upperCase);
        const std::size_t length = XmlLength(scratch_);
        if (length == 0) {
            if (need == Need::Always) problem(std::string(label) + ": manca");
            return;
        }
        if (length > rule.maxLength) {
            problem(std::string(label) + ": \"" + scratch_ + "\" è troppo lungo (al massimo " +
                    std::to_string(rule.maxLength) + " caratteri)");
            return;
        }
        if (length < rule.minLength || (rule.accepts && !rule.accepts(scratch_))) {
            problem(std::string(label) + ": \"" + scratch_ + "\" non è valido");
            return;
        }
        xml_.elementText(tag, scratch_);
    }

    // A code that must be one of `allowed`.
    void code(string_view tag, string_view stored, std::initializer_list<string_view> allowed,
              string_view label) {
        value(stored, XmlCharset::BasicLatin, false);
        for (string_view a : allowed)
            if (scratch_ == a) {
                xml_.element(tag, scratch_);
                return;
            }
        problem(std::string(label) +
                (scratch_.empty() ? ": manca" : ": \"" + scratch_ + "\" non è valido"));
    }

    // Amount2DecimalType: at most 11 integer digits.
    void amount(string_view tag, double v, string_view label) {
        number(tag, v, 2, label, true, 11);
    }
    // Amount8DecimalType, written with eight decimals.
    void unitPrice(string_view tag, double v, string_view label) {
        number(tag, v, 8, label, true, 11);
    }
    // An Amount8DecimalType total, written with two decimals.
    void total(string_view tag, double v, string_view label) { number(tag, v, 2, label, true, 11); }
    // QuantitaType: not negative, at most 18 integer digits.
    void quantity(string_view tag, double v, string_view label) {
        number(tag, v, 2, label, false, 18);
    }
    // QuantitaType and Amount8DecimalType written with the decimals the value has (two to
    // eight), so that the exchange system computes the line total from the values in use.
    void exactQuantity(string_view tag, double v, string_view label) {
        number(tag, v, kAsItIs, label, false, 18);
    }
    void exactUnitPrice(string_view tag, double v, string_view label) {
        number(tag, v, kAsItIs, label, true, 11);
    }
    // RateType: 0.00 to 100.00.
    void rate(string_view tag, double v, string_view label) {
        const std::string text = XmlAmount(v);
        if (!std::isfinite(v) || text.front() == '-' || Val(text) > 100) {
            problem(std::string(label) + ": " + PlainNumberText(v) +
                    " non è una percentuale valida (da 0 a 100)");
            return;
        }
        xml_.element(tag, text);
    }

    void date(string_view tag, string_view ddmmyyyy, string_view label, Need need) {
        const std::string stored = Trim(ddmmyyyy);
        if (stored.empty()) {
            if (need == Need::Always) problem(std::string(label) + ": manca");
            return;
        }
        const auto iso = XmlDate(stored);
        if (!iso) {
            problem(std::string(label) + ": \"" + stored + "\" non è una data valida");
            return;
        }
        xml_.element(tag, *iso);
    }

  private:
    void value(string_view stored, XmlCharset charset, bool upperCase) {
        scratch_.clear();
        AppendXmlValue(scratch_, stored, charset);
        const auto first = scratch_.find_first_not_of(' ');
        if (first == std::string::npos) {
            scratch_.clear();
            return;
        }
        scratch_.erase(scratch_.find_last_not_of(' ') + 1);
        scratch_.erase(0, first);
        if (upperCase)
            for (char& c : scratch_)
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }

    static constexpr int kAsItIs = -1;  // decimals: those of the value, two to eight

    void number(string_view tag, double v, int decimals, string_view label, bool negativeAllowed,
                std::size_t integerDigits) {
        const std::string text =
            decimals == kAsItIs ? XmlDecimalAsItIs(v) : XmlDecimal(v, decimals);
        const bool negative = text.front() == '-';
        const std::size_t digits = text.find('.') - (negative ? 1 : 0);
        if (!std::isfinite(v) || (negative && !negativeAllowed) || digits > integerDigits) {
            problem(std::string(label) + ": " + PlainNumberText(v) +
                    (negative && !negativeAllowed ? " non può essere negativo"
                                                  : " non è un importo valido"));
            return;
        }
        xml_.element(tag, text);
    }

    XmlLines xml_;
    std::vector<std::string> problems_;
    std::string scratch_;
};

// The stored text of a fixed-width field padded with blanks to its width, as the field
// stands in the record.
inline std::string PaddedText(const CustomerRecord& r, Field<CustomerLayout> f) {
    std::string text = r.text(f);
    const std::size_t length = Utf8Length(text);
    if (length < f.width) text.append(f.width - length, ' ');
    return text;
}

}  // namespace qorvana::fpaxml

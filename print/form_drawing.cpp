#include "print/form_drawing.h"

#include <optional>

#include "core/numbers.h"
#include "core/seq_reader.h"
#include "core/text.h"
#include "core/whole_file.h"

namespace qorvana {
namespace {

constexpr int kElements = 500;

// A numeric item as the suite's sequential input takes it: empty is 0, other text fails.
std::optional<double> NumberItem(const std::string& item) {
    if (Trim(item, kBlanksAndTabs).empty()) return 0.0;
    return WholeNumber(item);
}

int Colour(double number) {
    return number >= -1 && number <= 0xFFFFFF ? static_cast<int>(number) : 0;
}

PrintShape Shape(const FormElement& e) {
    const auto& n = e.numbers;
    PrintShape s;
    s.x1 = n[1];
    s.y1 = n[2];
    if (e.kind() == FormElement::kLine) {
        s.kind = ShapeKind::Line;
        s.x2 = n[3];
        s.y2 = n[4];
    } else {
        s.kind = ShapeKind::Box;
        s.x2 = n[1] + n[3];
        s.y2 = n[2] + n[4];
        s.fill = Colour(n[7]);
    }
    s.thickness = (n[5] > 0 ? n[5] : 2) / 10;
    s.colour = Colour(n[6]);
    return s;
}

PrintText Caption(const FormElement& e, const TextWidth& width) {
    const auto& n = e.numbers;
    PrintText t;
    t.text = Trim(KeepPrintable(e.caption));
    t.font = e.name.empty() ? std::string("Arial") : e.name;
    t.size = n[3] > 0 ? n[3] : 9;
    t.bold = n[5] != 0;
    t.colour = Colour(n[6]);
    t.italic = n[7] != 0;
    t.x = n[1];
    t.y = n[2];
    if (n[4] == 2) t.x -= width(t);
    return t;
}

}  // namespace

int FormElement::kind() const {
    const double k = numbers[0];
    return k >= 0 && k <= 9 ? static_cast<int>(k) : 0;
}

Result<FormDrawing> ReadFormDrawing(const std::filesystem::path& file,
                                    const std::string& suiteName) {
    FormDrawing form;
    SeqReader in(file);
    if (in.readError() != 0) return Failure{ReadFailureMessage(suiteName, in.readError())};
    for (int i = 1; i <= kElements && !in.atEnd(); ++i) {
        FormElement e;
        e.caption = in.readLine();
        e.name = in.readLine();
        for (double& number : e.numbers) {
            const auto value = NumberItem(in.readItem());
            if (!value || in.failed()) return form;
            number = *value;
        }
        form.push_back(std::move(e));
    }
    return form;
}

std::vector<PrintOp> DrawForm(const FormDrawing& form, const TextWidth& width) {
    std::vector<PrintOp> ops;
    for (const FormElement& e : form) {
        switch (e.kind()) {
            case FormElement::kLine:
            case FormElement::kBox:
                ops.emplace_back(Shape(e));
                break;
            case FormElement::kPicture:
                ops.emplace_back(
                    PrintPicture{e.numbers[1], e.numbers[2], e.numbers[3], e.numbers[4], e.name});
                break;
            case FormElement::kCaption:
                ops.emplace_back(Caption(e, width));
                break;
            default:
                break;
        }
    }
    return ops;
}

std::string PictureWindowsPath(std::string_view companyFolder, const std::string& file) {
    if (file.find_first_of("\\:") != std::string::npos) return file;
    return std::string(companyFolder) + "\\" + file;
}

}  // namespace qorvana

#pragma once
// The form-drawing table qorvana.lk? (docs/print-image.md): the pre-printed parts of a page,
// up to 500 elements of two text lines and nine numbers, turned into drawing operations.

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "print/print_page.h"

namespace qorvana {

// The printed width in millimetres of a text in its font, size, bold and italic.
using TextWidth = std::function<double(const PrintText&)>;

struct FormElement {
    static constexpr int kLine = 1;
    static constexpr int kBox = 2;
    static constexpr int kPicture = 3;
    static constexpr int kCaption = 4;

    std::string caption;
    std::string name;  // picture file or font name
    std::array<double, 9> numbers{};
    int kind() const;
};

using FormDrawing = std::vector<FormElement>;

// Reads the elements of a form-drawing file (`suiteName` as the operator knows it); stops at
// its end, at element 500, or at the first element that cannot be read. A missing file has no
// elements; a file that is there but cannot be read fails, naming it.
Result<FormDrawing> ReadFormDrawing(const std::filesystem::path& file,
                                    const std::string& suiteName);

// The drawing operations of the elements, in order; right-aligned captions are placed with
// `width`. Elements of an unknown kind draw nothing.
std::vector<PrintOp> DrawForm(const FormDrawing& form, const TextWidth& width);

// The Windows path of a picture named in the form drawing: a bare file name lies in
// `companyFolder` (a Windows path); a name with a folder or a drive stands as it is.
std::string PictureWindowsPath(std::string_view companyFolder, const std::string& file);

}  // namespace qorvana

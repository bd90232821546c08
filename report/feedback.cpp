#include "report/feedback.hpp"

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "formats/formats.hpp"
#include "io/replace.hpp"

namespace vorlak::report {

int feedbackfolder(const settings& s) {
    std::error_code error;
    std::filesystem::create_directories(s.feedback, error);
    if (!error && !std::filesystem::is_directory(s.feedback, error) && !error)
        error = std::make_error_code(std::errc::not_a_directory);
    if (error)
        return fail(std::string("--feedback ") + s.feedback + ": " + error.message());
    return 0;
}

int writefeedback(const settings& s, const std::vector<engine::grade>& grades) {
    const std::vector<std::string> names = formats::feedbacknames(grades);
    const std::filesystem::path folder(s.feedback);
    for (std::size_t i = 0; i < grades.size(); i++) {
        if (grades[i].failed())
            continue;
        const std::string path = (folder / names[i]).string();
        if (const int error = io::replacename(path, formats::feedbackpage(grades[i], s.hints)); error != 0)
            return fail(path + ": " + std::strerror(error));
    }
    const std::string index = (folder / "index.html").string();
    if (const int error = io::replacename(index, formats::feedbackindex(grades, names, s.hints)); error != 0)
        return fail(index + ": " + std::strerror(error));
    return 0;
}

int writebeliefs(const settings& s, const std::vector<engine::grade>& grades) {
    if (const int error = io::replacefile(s.beliefs, formats::classbeliefscsv(grades)); error != 0)
        return fail(std::string(s.beliefs) + ": " + std::strerror(error));
    return 0;
}

}  // namespace vorlak::report

// An output file that takes the place of FILE only when the run completes:
// written beside it under a temporary name and renamed over it, so that a run
// that stops early leaves an existing FILE as it was.
#pragma once

#include <filesystem>
#include <fstream>
#include <ostream>

class ReplacedFile {
public:
    // Creates the temporary file; throws std::system_error when it cannot.
    explicit ReplacedFile(std::filesystem::path target);
    // Removes the temporary file unless Commit has renamed it.
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    std::ostream& Stream() { return stream_; }

    // Closes the file and renames it to the target; throws std::system_error.
    void Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::ofstream stream_;
    bool committed_ = false;
};

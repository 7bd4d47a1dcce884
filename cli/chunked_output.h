// Output collected in memory and written in large pieces: a write for each
// row would cost more than the row. What was collected is written when the
// collector ends, so an error that ends a run still leaves every row before
// it in the output, ahead of the error's message.
#pragma once

#include <ostream>
#include <string>

class ChunkedOutput {
public:
    explicit ChunkedOutput(std::ostream& out) : out_(out) {}
    ~ChunkedOutput() { Write(); }
    ChunkedOutput(const ChunkedOutput&) = delete;
    ChunkedOutput& operator=(const ChunkedOutput&) = delete;

    // The text not yet written; append to it, then call Collected.
    std::string& Pending() { return pending_; }

    void Collected() {
        if (pending_.size() >= ChunkSize) {
            Write();
        }
    }

    void Write() {
        out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
        pending_.clear();
    }

private:
    static constexpr std::size_t ChunkSize = 1 << 16;
    std::ostream& out_;
    std::string pending_;
};

#include "csv_reader.h"
#include "csv_writer.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Record = std::vector<std::string>;

std::vector<Record> ReadAll(const std::string& text) {
    std::istringstream in(text);
    CsvReader reader(in);
    std::vector<Record> records;
    Record r;
    while (reader.Next(r)) {
        records.push_back(r);
    }
    return records;
}

TEST(CsvReaderTest, ReadsQuotedFieldsWithSeparatorsQuotesAndLineEnds) {
    EXPECT_EQ(ReadAll("a,\"1,5\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",,x\n"),
              (std::vector<Record>{{"a", "1,5", "say \"hi\""}, {"two\nlines", "", "x"}}));
}

TEST(CsvReaderTest, LastLineNeedsNoLineEndAndBlanksAreKept) {
    EXPECT_EQ(ReadAll(" a , b\n\nc"), (std::vector<Record>{{" a ", " b"}, {""}, {"c"}}));
    EXPECT_TRUE(ReadAll("").empty());
    EXPECT_EQ(ReadAll("\xEF\xBB\xBFh1,h2\n"), (std::vector<Record>{{"h1", "h2"}}));
}

TEST(CsvReaderTest, CountsRecordLinesAcrossQuotedLineEnds) {
    std::istringstream in("h\n\"a\nb\"\nc\n");
    CsvReader reader(in);
    Record r;
    ASSERT_TRUE(reader.Next(r));
    ASSERT_TRUE(reader.Next(r));
    EXPECT_EQ(reader.RecordLine(), 2);
    ASSERT_TRUE(reader.Next(r));
    EXPECT_EQ(reader.RecordLine(), 4);
}

struct Malformed {
    const char* name;
    const char* text;
    long line;
};

class MalformedCsvTest : public testing::TestWithParam<Malformed> {};

TEST_P(MalformedCsvTest, IsRefusedWithItsLine) {
    try {
        ReadAll(GetParam().text);
        FAIL() << "accepted";
    } catch (const CsvError& e) {
        EXPECT_EQ(e.Line(), GetParam().line) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, MalformedCsvTest,
                         testing::Values(Malformed{"quote_inside_field", "h\nab\"c\n", 2},
                                         Malformed{"text_after_closing_quote", "h\n\"a\"b\n", 2},
                                         Malformed{"unclosed_quote", "h\nx\n\"open\n\n", 3},
                                         Malformed{"lone_carriage_return", "a\rb\n", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CsvWriterTest, QuotesOnlyWhereNeeded) {
    std::ostringstream out;
    WriteCsvRecord(out, {"   1.0ohm", "a,b", "say \"x\"", ""});
    EXPECT_EQ(out.str(), "   1.0ohm,\"a,b\",\"say \"\"x\"\"\",\n");
    out.str("");
    WriteCsvRecord(out, {"a,b", "c;d", "e\tf"}, ';');
    EXPECT_EQ(out.str(), "a,b;\"c;d\";e\tf\n");
}

struct DelimiterCase {
    const char* name;
    std::string firstLines;
    char delimiter;
};

class DelimiterTest : public testing::TestWithParam<DelimiterCase> {};

TEST_P(DelimiterTest, IsFoundFromTheFirstLine) {
    EXPECT_EQ(DetectDelimiter(GetParam().firstLines), GetParam().delimiter);
}

INSTANTIATE_TEST_SUITE_P(Headers, DelimiterTest,
                         testing::Values(DelimiterCase{"comma", "a,b;c,d", ','},
                                         DelimiterCase{"semicolon", "a;b;c,d", ';'},
                                         DelimiterCase{"tab", "a\tb\tc;d", '\t'},
                                         DelimiterCase{"quoted_ones_do_not_count", "\"a;b;c\",d",
                                                       ','},
                                         DelimiterCase{"first_line_only", "a;b\nc,d,e,f", ';'},
                                         DelimiterCase{"tie_with_comma", "a,b;c", ','},
                                         DelimiterCase{"tie_of_semicolon_and_tab", "a;b\tc", ';'},
                                         DelimiterCase{"none", "a", ','}),
                         RowName);

TEST(CsvReaderTest, ReadsWithTheDelimiterItFound) {
    std::istringstream in("\xEF\xBB\xBF"
                          "a;b\n\"1;5\";2,5\n");
    CsvReader reader(in, std::nullopt);
    Record r;
    ASSERT_TRUE(reader.Next(r));
    EXPECT_EQ(reader.Delimiter(), ';');
    ASSERT_TRUE(reader.Next(r));
    EXPECT_EQ(r, (Record{"1;5", "2,5"}));
}

} // namespace

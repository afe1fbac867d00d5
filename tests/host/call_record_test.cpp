// The echoing formats: every field where a program reading TSV or JSON
// expects it, whatever bytes the arguments hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "call_record.h"

namespace vyxmath::host {
namespace {

struct RecordRow {
    std::string name;
    std::string export_name;
    std::vector<std::string> arguments;
    std::string p1;
    std::int32_t status;
    std::vector<std::string> warnings;
    std::string error;
    std::string tsv;
    std::string json;
};

void PrintTo(const RecordRow& row, std::ostream* os) { *os << row.name; }

class AppendRecord : public testing::TestWithParam<RecordRow> {};

TEST_P(AppendRecord, WritesEveryField) {
    const RecordRow& row = GetParam();
    std::vector<Argument> args;
    for (const std::string& a : row.arguments) args.push_back({a.c_str(), a.size()});
    std::vector<Message> notes(row.warnings.size());
    for (std::size_t i = 0; i < notes.size(); ++i) notes[i].add(row.warnings[i]);
    const CallRecord record{row.export_name, args, row.p1, row.status, notes, row.error};
    std::string tsv = "x", json;
    append_record(OutputFormat::tsv, record, tsv);
    append_record(OutputFormat::json, record, json);
    EXPECT_EQ(tsv, "x" + row.tsv) << "appends";
    EXPECT_EQ(json, row.json);
    std::string plain;
    append_record(OutputFormat::plain, record, plain);
    EXPECT_EQ(plain, row.error.empty() ? row.p1 : row.error);
}

INSTANTIATE_TEST_SUITE_P(
    Records, AppendRecord,
    testing::Values(
        RecordRow{"Plain", "n_tasu", {"1", "2"}, "3.", 0, {}, "", "n_tasu\t1 2\t3.\t0\t",
                  R"({"export":"n_tasu","arguments":["1","2"],"p1":"3.","status":0,"warnings":[]})"},
        RecordRow{"StatusAndTwoWarnings", "n_sosu", {"9x"}, "-1", -1, {"w1", "w2"}, "", "n_sosu\t9x\t-1\t-1\tw1; w2",
                  R"({"export":"n_sosu","arguments":["9x"],"p1":"-1","status":-1,"warnings":["w1","w2"]})"},
        RecordRow{"NoArguments", "n_rand", {}, "8565", 0, {}, "", "n_rand\t\t8565\t0\t",
                  R"({"export":"n_rand","arguments":[],"p1":"8565","status":0,"warnings":[]})"},
        // Words that need quotes read back as the same words.
        RecordRow{"QuotedWords", "n_fabs", {"a b", "", "#1", "x\"\\\t\n"}, "0.", 0, {}, "",
                  "n_fabs\t\"a b\" \"\" \"#1\" \"x\\\"\\\\\\t\\n\"\t0.\t0\t",
                  R"({"export":"n_fabs","arguments":["a b","","#1","x\"\\\t\n"],"p1":"0.","status":0,"warnings":[]})"},
        RecordRow{"Error", "n_foo", {"1"}, "", 0, {}, "unknown export \"n_foo\"",
                  "n_foo\t1\t\terror\tunknown export \"n_foo\"",
                  R"({"export":"n_foo","arguments":["1"],"error":"unknown export \"n_foo\""})"},
        RecordRow{"LineThatIsNoCall", "", {}, "", 0, {}, "quote not closed", "\t\t\terror\tquote not closed",
                  R"({"export":"","arguments":[],"error":"quote not closed"})"},
        // TSV escapes what would split a field or a line; JSON keeps UTF-8 and
        // writes other bytes and controls as code points.
        RecordRow{"BytesInFields", "n_fabs", {"\xC3\xA9", "\xFF", "\x01"}, "a\tb\\", 0, {"tab\there"}, "",
                  "n_fabs\t\xC3\xA9 \xFF \x01\ta\\tb\\\\\t0\ttab\\there",
                  "{\"export\":\"n_fabs\",\"arguments\":[\"\xC3\xA9\",\"\\u00ff\",\"\\u0001\"],\"p1\":\"a\\tb\\\\\","
                  "\"status\":0,\"warnings\":[\"tab\\there\"]}"}),
    [](const testing::TestParamInfo<RecordRow>& info) { return info.param.name; });

}  // namespace
}  // namespace vyxmath::host

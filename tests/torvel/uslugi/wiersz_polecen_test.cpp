// Splitting the module's argument text as the Windows runtime does, and
// joining arguments into a text that splits back to them.
#include <gtest/gtest.h>

#include "torvel/uslugi/wewnetrzne.h"

namespace {

using Lista = std::vector<std::string>;
using torvel::PodzielWierszPolecen;
using torvel::ZlozWierszPolecen;

TEST(TorvelWierszPolecen, ArgumentyCurlaZeSciezkaWindows) {
    EXPECT_EQ(PodzielWierszPolecen(" -k \"ftp://serwer/katalog/\" -u jan:tajne -T \"C:\\Sklep\\BRENVIK\\07_015.csv\""),
              (Lista{"-k", "ftp://serwer/katalog/", "-u", "jan:tajne", "-T", "C:\\Sklep\\BRENVIK\\07_015.csv"}));
}

TEST(TorvelWierszPolecen, OdstepyITabulatoryRozdzielaja) {
    EXPECT_EQ(PodzielWierszPolecen("  a\tb  \t c "), (Lista{"a", "b", "c"}));
    EXPECT_EQ(PodzielWierszPolecen(""), Lista{});
    EXPECT_EQ(PodzielWierszPolecen(" \t "), Lista{});
}

TEST(TorvelWierszPolecen, CudzyslowyGrupujaISklejajaSie) {
    EXPECT_EQ(PodzielWierszPolecen("\"a b\" c"), (Lista{"a b", "c"}));
    EXPECT_EQ(PodzielWierszPolecen("x\"a b\"y"), (Lista{"xa by"}));
    EXPECT_EQ(PodzielWierszPolecen("\"\""), (Lista{""}));
    EXPECT_EQ(PodzielWierszPolecen("a \"\" b"), (Lista{"a", "", "b"}));
    EXPECT_EQ(PodzielWierszPolecen("a\"\"b"), (Lista{"ab"}));
    EXPECT_EQ(PodzielWierszPolecen("\"a b"), (Lista{"a b"}));  // unclosed group runs to the end
    // A doubled mark inside a group is a literal mark and the group goes on.
    EXPECT_EQ(PodzielWierszPolecen("\"a\"\"b c\""), (Lista{"a\"b c"}));
}

TEST(TorvelWierszPolecen, UkosnikiPrzedCudzyslowem) {
    // 2n+1 backslashes and a mark: n backslashes and a literal mark.
    EXPECT_EQ(PodzielWierszPolecen("a\\\"b"), (Lista{"a\"b"}));
    EXPECT_EQ(PodzielWierszPolecen("a\\\\\\\"b"), (Lista{"a\\\"b"}));
    // 2n backslashes and a mark: n backslashes, and the mark groups.
    EXPECT_EQ(PodzielWierszPolecen("\"a\\\\\"b c"), (Lista{"a\\b", "c"}));
    EXPECT_EQ(PodzielWierszPolecen("\"ab\\\\\\\\\" c"), (Lista{"ab\\\\", "c"}));
    // An escaped mark inside a group does not close it.
    EXPECT_EQ(PodzielWierszPolecen("\"C:\\Dir\\\" x"), (Lista{"C:\\Dir\" x"}));
    // A password holding a mark, as the module's unquoted argument text gives it.
    EXPECT_EQ(PodzielWierszPolecen("-u jan:ta\"j ne -T x"), (Lista{"-u", "jan:taj ne -T x"}));
}

TEST(TorvelWierszPolecen, UkosnikiBezCudzyslowuSaDoslowne) {
    EXPECT_EQ(PodzielWierszPolecen("\\\\serwer\\udzial\\ a\\\\b\\"), (Lista{"\\\\serwer\\udzial\\", "a\\\\b\\"}));
}

TEST(TorvelWierszPolecen, ZlozonyWierszDzieliSieNaTeSameArgumenty) {
    const Lista trudne = {"zwykly", "z odstepem", "z\ttabulatorem", "cudzy\"slow", "\"", "", "koniec\\",
                          "ukosnik\\\"cudzyslow", "\\\\serwer\\udzial\\", "a\\\\\"b", "C:\\Program Files\\"};
    for (const std::string& argument : trudne) {
        EXPECT_EQ(PodzielWierszPolecen(ZlozWierszPolecen({argument})), Lista{argument}) << argument;
    }
    EXPECT_EQ(PodzielWierszPolecen(ZlozWierszPolecen(trudne)), trudne);
}

TEST(TorvelWierszPolecen, ProsteArgumentyZostajaBezCudzyslowow) {
    EXPECT_EQ(ZlozWierszPolecen({"--user", "jan:tajne", "C:\\a\\b"}), "--user jan:tajne C:\\a\\b");
    EXPECT_EQ(ZlozWierszPolecen({"a b", ""}), "\"a b\" \"\"");
}

}  // namespace

// The help of the editing screens' fields: one entry for every field, each
// with a text of its own in the catalogue, and a name the page knows it by.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "messages/Catalogue.h"
#include "presentation/FieldHelp.h"

namespace rp770::presentation {
namespace {

TEST(FieldHelp, EveryFieldHasItsOwnCatalogueText) {
    std::set<MessageId> ids;
    std::set<std::string_view> names;
    ASSERT_EQ(FieldHelpTable().size(), static_cast<size_t>(kFieldCount));
    for (int i = 0; i < kFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        const FieldHelpEntry& entry = FieldHelpTable()[static_cast<size_t>(i)];
        SCOPED_TRACE(std::string(entry.name));
        EXPECT_EQ(entry.field, field);
        EXPECT_EQ(FieldHelp(field), entry.help);
        EXPECT_NE(entry.help, MessageId::Verbatim);
        EXPECT_FALSE(EnglishText(entry.help).empty()) << "not in the catalogue";
        EXPECT_TRUE(MessageIdName(entry.help).starts_with("Help")) << "a help text, not some other message";
        EXPECT_FALSE(entry.name.empty());
        EXPECT_TRUE(ids.insert(entry.help).second) << "two fields share a help text";
        EXPECT_TRUE(names.insert(entry.name).second) << "two fields share a name";
    }
}

}  // namespace
}  // namespace rp770::presentation

#include "platform/LocalAddresses.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(BindingChoices, OfferEveryAddressBesidesTheComputersOwn) {
    using List = std::vector<std::string>;
    EXPECT_EQ(bindingChoices({"192.168.1.20", "127.0.0.1"}, {"2001:db8::5", "::1"}),
              (List{"192.168.1.20", "127.0.0.1", "0.0.0.0", "::", "2001:db8::5", "::1"}));
    EXPECT_EQ(bindingChoices({}, {}), (List{"0.0.0.0", "::"}));
    EXPECT_EQ(bindingChoices({"0.0.0.0"}, {"::"}), (List{"0.0.0.0", "::"})) << "each once";
}

TEST(LocalAddresses, Ipv6ListHasNoLinkLocalAndLoopbackLast) {
    const auto list = localIPv6Addresses();
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_TRUE(isIPv6Address(list[i])) << list[i];
        EXPECT_NE(list[i].rfind("fe80", 0), 0u) << list[i];
        if (list[i] == "::1") {
            EXPECT_EQ(i + 1, list.size());
        }
    }
    EXPECT_TRUE(isIPv6Address("::"));
    EXPECT_FALSE(isIPv6Address("127.0.0.1"));
    EXPECT_FALSE(isIPv6Address(""));
}

}  // namespace
}  // namespace corvane

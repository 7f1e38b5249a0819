#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/drive_label_rules.h"

namespace {

using drivelabel::DriveLabelHost;

struct FakeRegistry : DriveLabelHost {
    std::optional<std::string> value; // nothing: the key is missing
    Write writeResult = Write::done;
    int reads = 0, writes = 0, waits = 0;
    std::vector<std::string> messages;

    bool ReadLabel(std::string& label) override {
        ++reads;
        if (!value)
            return false;
        label = *value;
        return true;
    }
    Write WriteLabel() override {
        ++writes;
        if (writeResult == Write::done)
            value = drivelabel::kLabel;
        return writeResult;
    }
    void Wait(unsigned milliseconds) override {
        EXPECT_EQ(milliseconds, 200u);
        ++waits;
    }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        messages.push_back(text + "|" + caption);
    }
};

std::string Failure(const std::string& label) {
    return "The program failed to set virtual drive " + label +
           "(Z:) label as Local Disk. Please manully set virtual disk Z: label as Local Disk"
           "|Shared folder message";
}

TEST(DriveLabelTest, WritesLocalDiskUnlessInPlaceAndRetriesOnlyWhatMaySucceed) {
    using W = DriveLabelHost::Write;
    const struct {
        const char* what;
        std::optional<std::string> value;
        W write;
        bool result;
        int reads, writes, waits;
        std::vector<std::string> messages;
    } cases[] = {
        {"already in place", "Local Disk", W::done, true, 1, 0, 0, {}},
        {"another label", "Data", W::done, true, 1, 1, 0, {}},
        {"case counts", "local disk", W::done, true, 1, 1, 0, {}},
        {"missing key is created", std::nullopt, W::done, true, 1, 1, 0, {}},
        {"refused at once", "Data", W::denied, false, 1, 1, 0, {Failure("Data")}},
        {"refused, nothing read", std::nullopt, W::denied, false, 1, 1, 0, {Failure("")}},
        {"failing writes are tried 30 times",
         "Data",
         W::failed,
         false,
         30,
         30,
         29,
         {Failure("Data")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeRegistry registry;
        registry.value = c.value;
        registry.writeResult = c.write;
        EXPECT_EQ(drivelabel::SetDriveLabel(registry), c.result);
        EXPECT_EQ(registry.reads, c.reads);
        EXPECT_EQ(registry.writes, c.writes);
        EXPECT_EQ(registry.waits, c.waits);
        EXPECT_EQ(registry.messages, c.messages);
    }
}

} // namespace

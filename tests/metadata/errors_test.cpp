#include "metadata/errors.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace tandrel {

namespace {

// Which handlers, tried most specific first, catch `thrown`.
template <typename Thrown> std::string handlerFor(const Thrown& thrown) {
    try {
        throw thrown;
    } catch (const std::runtime_error&) {
        return "runtime_error";
    } catch (const FileSystemException&) {
        return "FileSystemException";
    } catch (const GeneralException&) {
        return "GeneralException";
    } catch (const std::exception&) {
        return "exception";
    }
}

} // namespace

TEST(Errors, HandlersSelectByKind) {
    EXPECT_EQ(handlerFor(GeneralException("g")), "GeneralException");
    EXPECT_EQ(handlerFor(MetaDataException("m")), "GeneralException");
    EXPECT_EQ(handlerFor(RegistryException("r")), "GeneralException");
    EXPECT_EQ(handlerFor(FileSystemException("f")), "FileSystemException");
    EXPECT_EQ(handlerFor(InputDataMissingException("i")), "FileSystemException");
    EXPECT_EQ(handlerFor(FileTransferException("t")), "FileSystemException");
    EXPECT_EQ(handlerFor(std::runtime_error("plain")), "runtime_error");
}

TEST(Errors, CarryTheirOwnCopyOfTheMessage) {
    std::string message = "Problem parsing the file /card/00000.MPLS.\n";
    try {
        try {
            throw MetaDataException(message);
        } catch (const GeneralException&) {
            message = "changed";
            throw;
        }
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "Problem parsing the file /card/00000.MPLS.\n");
    }

    const InputDataMissingException original("The file \"x\" does not exist.");
    const InputDataMissingException copy = original;
    EXPECT_STREQ(copy.what(), original.what());
    EXPECT_NE(copy.what(), original.what());
    EXPECT_STREQ(GeneralException("").what(), "");
}

} // namespace tandrel

// Writes the bundled sample card: tandrel_make_sample_card FOLDER
#include "samples/sample_card.h"

#include <boost/filesystem/operations.hpp>

#include <exception>
#include <iostream>

using namespace tandrel;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tandrel_make_sample_card FOLDER\n";
        return 2;
    }
    try {
        const boost::filesystem::path root(argv[1]);
        // A fresh tree, so files of an older sample do not linger.
        boost::filesystem::remove_all(root / "PRIVATE");
        writeCard(root, sampleCard());
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}

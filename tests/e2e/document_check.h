/// Checks a document of the tool with two independent JSON parsers and the
/// JSON schema of the format.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace nodara {

/// Whether `document` parses with nlohmann::json and passes
/// validate_document.py (Python's json module and the schema in docs/);
/// the failure message names every problem found.
::testing::AssertionResult isValidDocument(const std::string& document);

}  // namespace nodara

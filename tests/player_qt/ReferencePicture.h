// Pictures compared with the committed ones in tests/reference/. Setting
// PLUME_UPDATE_REFERENCES writes the pictures there instead, to be looked at and committed.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <string>

bool UpdatingReferences();

// Matches when at most `allowed` pixels differ by more than a little in sum over the three
// channels: anti-aliased text edges may move between font builds, more than a few stray
// pixels is a real change. When updating, the picture is written and the result matches.
::testing::AssertionResult LooksLikeReference(const QImage& shot, const std::string& file, int allowed);

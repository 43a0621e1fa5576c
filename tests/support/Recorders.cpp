#include "tests/support/Recorders.h"

#include <utility>

MessageBoxRecorder::MessageBoxRecorder()
    : previous_(SetMessageBoxObserver([this](const MessageBoxRecord& box) { shown_.push_back(box); })) {}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxObserver(std::move(previous_)); }

HelpRequestRecorder::HelpRequestRecorder()
    : previous_(platform::help::SetHelpRequestObserver(
          [this](const platform::help::HelpRequest& request) { last_ = request; })) {}

HelpRequestRecorder::~HelpRequestRecorder() { platform::help::SetHelpRequestObserver(std::move(previous_)); }

#pragma once

#include <chrono>
#include <optional>

#include "editing/friend_list_editing.h"
#include "host/host_driver.h"
#include "loadsave/book_errors.h"
#include "model/friend_table.h"
#include "platform/clock.h"
#include "platform/dialogs.h"

namespace quillby {

// Every message box the user can meet: the lower layers report what went
// wrong, and the words are chosen here.

// Starting the program and its windows.
Text windowNotOpenedMessage();
Text compactWindowNotOpenedMessage();
Text startStoppedMessage(const BookFailureInfo& info, const FriendTable& table);

// The friend book. The table names the friend whose field does not fit.
Text bookFailureMessage(const BookFailureInfo& info, const FriendTable& table);
Text fileProblemText(const FileError& error);
DialogRequest writeOverQuestion(const BookFailureInfo& info, const FriendTable& table);
Text saveFailedMessage(const BookFailureInfo& info, const FriendTable& table);

// Editing the list.
EditingBoxes editingBoxes();

// Driving PostPet.
DialogRequest mailCheckQuestion();
DialogRequest recallQuestion();
Text hostFailureMessage(HostFailure failure);
Text untypableAddressMessage(TextView friendName);
Text dateNotMovedMessage(ClockProblem problem);
Text dateNotRestoredMessage(std::chrono::year_month_day date);
Text timeMaybeOffMessage();

// The exit. Without a file problem, the window's place could not be taken.
Text settingsNotKeptMessage(const std::optional<FileError>& fileProblem);

}  // namespace quillby

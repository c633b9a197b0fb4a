#pragma once

namespace engine {

// The result of converting one task.
enum class TaskStatus : int {
    kFailedToStart = 0,  // no pipe or no process: the encoder is missing or cannot run.
                         // The batch stops.
    kDone = 1,           // the encoder ended well and the output file exists
    kStopped = 2,        // the user's stop ended the encoder; the unfinished output is deleted
    kEncoderFailed = 3,  // the encoder ran but failed (non-zero exit, or no output file);
                         // its partial output is deleted and the batch goes on
};

inline int ToInt(TaskStatus status) {
    return static_cast<int>(status);
}

}  // namespace engine

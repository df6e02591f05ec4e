#pragma once
// The names of the shared objects the player creates and the hook library and the editor
// open. Each is kept apart per session by win::NamespacedName.
namespace tessaro {

inline constexpr const char* kMasterBlockName = "QTBA1KGR";      // trigger table, master copy
inline constexpr const char* kSwapBlockName = "QTTT1KGR";        // key remapping table
inline constexpr const char* kActivationBlockName = "QTKR1KGR";  // window-activation block

inline constexpr const char* kMasterMutexName = "QT88aveR";  // guards the master table
inline constexpr const char* kSpareMutexName = "QTKZaveR";   // created for the library's own use
inline constexpr const char* kSwapMutexName = "QTQJaveR";    // guards the remapping table

inline constexpr const char* kPlayerBlocks[] = {kMasterBlockName, kSwapBlockName, kActivationBlockName};
inline constexpr const char* kPlayerMutexes[] = {kMasterMutexName, kSpareMutexName, kSwapMutexName};

inline constexpr const char* kPlayerInstanceName = "QTMRN321Z";

}  // namespace tessaro

#include "player.h"

namespace standin {

Player::Player(const std::wstring& dllPath)
    : block(new SharedTrackBlock), remote(new RemoteAccessWindow), plugin(dllPath) {}

void Player::Play(const TrackRecord& record) {
  if (block) block->Publish(record);
  remote->Notify(kNotifyTrackInfo);
  remote->Notify(kNotifyTrackStart);
  PumpMessages();
}

LRESULT Player::Announce(const TrackRecord& record, WPARAM code) {
  if (block) block->Publish(record);
  const LRESULT result = remote->Notify(code);
  PumpMessages();
  return result;
}

TrackRecord RecordFor(const std::wstring& fileName, const std::wstring& title) {
  TrackRecord record;
  record.fileName = fileName;
  record.title = title;
  record.duration = 200000;
  record.bitRate = 320;
  record.sampleRate = 44100;
  record.channels = 2;
  return record;
}

}  // namespace standin

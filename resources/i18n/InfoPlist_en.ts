<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<!-- The string table "InfoPlist": one message per key (ID-based, looked up with qtTrId).
     Format keys take Qt placeholders %1, %2 in the order the callers pass the values. -->
<context>
    <name>InfoPlist</name>
    <!-- Recording table of the player window -->
    <message id="filelist.mode">
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message id="filelist.date">
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message id="filelist.time">
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message id="filelist.file">
        <source>File</source>
        <translation>File</translation>
    </message>
    <message id="media.always">
        <source>Always</source>
        <translation>Always</translation>
    </message>
    <message id="media.motion">
        <source>Motion</source>
        <translation>Motion</translation>
    </message>
    <message id="media.event">
        <source>Event</source>
        <translation>Event</translation>
    </message>
    <message id="media.unknown">
        <source>Unknown</source>
        <translation>Unknown</translation>
    </message>
    <!-- Graph under the video: the switch between the G-sensor and the speed graph, the speed graph's units and legend -->
    <message id="graph.gsensor">
        <source>G-sensor</source>
        <translation>G-sensor</translation>
    </message>
    <message id="graph.speed">
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message id="graph.switch">
        <source>Graph: G-sensor or speed over the recording</source>
        <translation>Graph: G-sensor or speed over the recording</translation>
    </message>
    <message id="graph.unit_kmh">
        <source>km/h</source>
        <translation>km/h</translation>
    </message>
    <message id="graph.unit_mph">
        <source>mph</source>
        <translation>mph</translation>
    </message>
    <message id="graph.poor_fix">
        <source>no or poor GPS fix</source>
        <translation>no or poor GPS fix</translation>
    </message>
    <!-- Tool tips of the player window's buttons -->
    <message id="player.recover">
        <source>Recover</source>
        <translation>Recover</translation>
    </message>
    <message id="player.recover_all">
        <source>Recover %1 cut-off recordings</source>
        <translation>Recover %1 cut-off recordings</translation>
    </message>
    <message id="player.cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="player.play">
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message id="player.pause">
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message id="player.jump_forward">
        <source>Forward 10 seconds</source>
        <translation>Forward 10 seconds</translation>
    </message>
    <message id="player.jump_backward">
        <source>Back 10 seconds</source>
        <translation>Back 10 seconds</translation>
    </message>
    <message id="player.step_forward">
        <source>Next frame (while paused)</source>
        <translation>Next frame (while paused)</translation>
    </message>
    <message id="player.step_backward">
        <source>Previous frame (while paused)</source>
        <translation>Previous frame (while paused)</translation>
    </message>
    <message id="player.swap">
        <source>Swap front and rear</source>
        <translation>Swap front and rear</translation>
    </message>
    <message id="player.speed_up">
        <source>Double speed</source>
        <translation>Double speed</translation>
    </message>
    <message id="player.speed_down">
        <source>Normal speed</source>
        <translation>Normal speed</translation>
    </message>
    <message id="player.volume_up">
        <source>Louder</source>
        <translation>Louder</translation>
    </message>
    <message id="player.volume_down">
        <source>Quieter</source>
        <translation>Quieter</translation>
    </message>
    <message id="player.audio">
        <source>Hear the front or the rear camera</source>
        <translation>Hear the front or the rear camera</translation>
    </message>
    <message id="player.size_up">
        <source>Larger window</source>
        <translation>Larger window</translation>
    </message>
    <message id="player.size_down">
        <source>Smaller window</source>
        <translation>Smaller window</translation>
    </message>
    <message id="player.fullscreen">
        <source>Full screen</source>
        <translation>Full screen</translation>
    </message>
    <message id="player.capture">
        <source>Save the current picture</source>
        <translation>Save the current picture</translation>
    </message>
    <message id="player.print">
        <source>Print the current picture</source>
        <translation>Print the current picture</translation>
    </message>
    <message id="player.open_folder">
        <source>Open a folder of recordings</source>
        <translation>Open a folder of recordings</translation>
    </message>
    <message id="player.settings">
        <source>Camera settings</source>
        <translation>Camera settings</translation>
    </message>
    <message id="player.clock">
        <source>Set the camera's clock</source>
        <translation>Set the camera's clock</translation>
    </message>
    <message id="player.close">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="player.minimize">
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message id="player.list">
        <source>Recordings</source>
        <translation>Recordings</translation>
    </message>
    <message id="player.map">
        <source>Map</source>
        <translation>Map</translation>
    </message>
    <message id="player.trips">
        <source>Drives</source>
        <translation>Drives</translation>
    </message>
    <!-- Drives panel, right of a drive's times: %1 km, %2 top km/h, %3 events -->
    <message id="trips.drive">
        <source>%1 km · %2 km/h · %3 events</source>
        <translation>%1 km · %2 km/h · %3 events</translation>
    </message>
    <message id="trips.parking">
        <source>parked · %1 events</source>
        <translation>parked · %1 events</translation>
    </message>
    <message id="trips.reading">
        <source>Reading the drives: %1 recordings</source>
        <translation>Reading the drives: %1 recordings</translation>
    </message>
    <message id="trips.summary">
        <source>%1 drives, %2 parked; click a time line to play</source>
        <translation>%1 drives, %2 parked; click a time line to play</translation>
    </message>
    <!-- Drives panel while the card is read: %1 recordings read of %2 -->
    <message id="trips.reading_of">
        <source>Reading the drives: %1 of %2 recordings</source>
        <translation>Reading the drives: %1 of %2 recordings</translation>
    </message>
    <message id="trips.play_start">
        <source>Play from the Start</source>
        <translation>Play from the Start</translation>
    </message>
    <message id="trips.export_gpx">
        <source>Export GPX…</source>
        <translation>Export GPX…</translation>
    </message>
    <message id="trips.export_title">
        <source>Export the Drive as GPX</source>
        <translation>Export the Drive as GPX</translation>
    </message>
    <message id="trips.no_route">
        <source>This drive has no route: none of its recordings holds a usable GPS fix.</source>
        <translation>This drive has no route: none of its recordings holds a usable GPS fix.</translation>
    </message>
    <!-- %1 the file, %2 the system's reason -->
    <message id="trips.export_failed">
        <source>The GPX file %1 could not be written: %2</source>
        <translation>The GPX file %1 could not be written: %2</translation>
    </message>
    <message id="trips.jump_to_date">
        <source>Go to</source>
        <translation>Go to</translation>
    </message>
    <message id="trips.jump_to_date_tip">
        <source>Shows the first drive on or after this day</source>
        <translation>Shows the first drive on or after this day</translation>
    </message>
    <!-- Settings window -->
    <message id="setting.window_title">
        <source>Tovik Settings</source>
        <translation>Tovik Settings</translation>
    </message>
    <message id="setting.video">
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message id="setting.basic">
        <source>Basic</source>
        <translation>Basic</translation>
    </message>
    <message id="setting.gps">
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message id="setting.aux">
        <source>Aux</source>
        <translation>Aux</translation>
    </message>
    <message id="setting.park">
        <source>Parking</source>
        <translation>Parking</translation>
    </message>
    <message id="setting.motion">
        <source>Motion and Parking</source>
        <translation>Motion and Parking</translation>
    </message>
    <message id="setting.adas">
        <source>ADAS</source>
        <translation>ADAS</translation>
    </message>
    <message id="setting.audio">
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message id="setting.driveinfoview">
        <source>Drive Log</source>
        <translation>Drive Log</translation>
    </message>
    <message id="setting.information">
        <source>Drive Information</source>
        <translation>Drive Information</translation>
    </message>
    <message id="setting.initialize">
        <source>Initialize</source>
        <translation>Initialize</translation>
    </message>
    <message id="setting.sdcardformat">
        <source>SD Card Format</source>
        <translation>SD Card Format</translation>
    </message>
    <message id="save">
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message id="cancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="open">
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message id="export">
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message id="today">
        <source>Today</source>
        <translation>Today</translation>
    </message>
    <!-- Words shared by the tabs -->
    <message id="unuse">
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message id="use">
        <source>On</source>
        <translation>On</translation>
    </message>
    <message id="off">
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message id="on">
        <source>On</source>
        <translation>On</translation>
    </message>
    <message id="none">
        <source>None</source>
        <translation>None</translation>
    </message>
    <message id="auto">
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message id="default">
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message id="time">
        <source>Clock</source>
        <translation>Clock</translation>
    </message>
    <message id="brightness">
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message id="insensitive">
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message id="sensitive">
        <source>High</source>
        <translation>High</translation>
    </message>
    <message id="externpower">
        <source>External Power</source>
        <translation>External Power</translation>
    </message>
    <message id="cpl_unuse">
        <source>No CPL Filter</source>
        <translation>No CPL Filter</translation>
    </message>
    <message id="cpl_use">
        <source>CPL Filter</source>
        <translation>CPL Filter</translation>
    </message>
    <message id="light_tinting">
        <source>Light Tinting</source>
        <translation>Light Tinting</translation>
    </message>
    <message id="dark_tinting">
        <source>Dark Tinting</source>
        <translation>Dark Tinting</translation>
    </message>
    <message id="summerTime">
        <source>Daylight saving time</source>
        <translation>Daylight saving time</translation>
    </message>
    <message id="nSecond_fmt">
        <source>%1 sec</source>
        <translation>%1 sec</translation>
    </message>
    <message id="nMinute_fmt">
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message id="nHour_fmt">
        <source>%1 hr</source>
        <translation>%1 hr</translation>
    </message>
    <message id="mon">
        <source>Mon</source>
        <translation>Mon</translation>
    </message>
    <message id="tue">
        <source>Tue</source>
        <translation>Tue</translation>
    </message>
    <message id="wed">
        <source>Wed</source>
        <translation>Wed</translation>
    </message>
    <message id="thu">
        <source>Thu</source>
        <translation>Thu</translation>
    </message>
    <message id="fri">
        <source>Fri</source>
        <translation>Fri</translation>
    </message>
    <message id="sat">
        <source>Sat</source>
        <translation>Sat</translation>
    </message>
    <message id="sun">
        <source>Sun</source>
        <translation>Sun</translation>
    </message>
    <!-- Video tab -->
    <message id="setting.video.front_quality">
        <source>Front Recording Quality</source>
        <translation>Front Recording Quality</translation>
    </message>
    <message id="setting.video.rear_quality">
        <source>Rear Recording Quality</source>
        <translation>Rear Recording Quality</translation>
    </message>
    <message id="setting.video.quality_normal">
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message id="setting.video.quality_high">
        <source>High</source>
        <translation>High</translation>
    </message>
    <message id="setting.video.quality_highest">
        <source>Highest</source>
        <translation>Highest</translation>
    </message>
    <message id="setting.video.front_setting">
        <source>Front Brightness</source>
        <translation>Front Brightness</translation>
    </message>
    <message id="setting.video.rear_setting">
        <source>Rear Brightness</source>
        <translation>Rear Brightness</translation>
    </message>
    <message id="setting.video.rear_reversal">
        <source>Rear Picture Reversal</source>
        <translation>Rear Picture Reversal</translation>
    </message>
    <message id="setting.video.rear_fps">
        <source>Rear Frame Rate</source>
        <translation>Rear Frame Rate</translation>
    </message>
    <message id="setting.video.front_tinting">
        <source>Front Window Tinting</source>
        <translation>Front Window Tinting</translation>
    </message>
    <message id="setting.video.rear_tinting">
        <source>Rear Window Tinting</source>
        <translation>Rear Window Tinting</translation>
    </message>
    <message id="setting.video.cpl_filter_use">
        <source>Choose "CPL Filter" when a polarising filter is fitted to the front camera.</source>
        <translation>Choose "CPL Filter" when a polarising filter is fitted to the front camera.</translation>
    </message>
    <message id="setting.video.viewangle">
        <source>View Angle</source>
        <translation>View Angle</translation>
    </message>
    <message id="setting.video.viewangle_standard">
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message id="setting.video.viewangle_adas">
        <source>ADAS</source>
        <translation>ADAS</translation>
    </message>
    <message id="setting.video.channel">
        <source>Recording Channels</source>
        <translation>Recording Channels</translation>
    </message>
    <message id="setting.video.channel_1">
        <source>1 Channel (Front)</source>
        <translation>1 Channel (Front)</translation>
    </message>
    <message id="setting.video.channel_2">
        <source>2 Channels (Front + Rear)</source>
        <translation>2 Channels (Front + Rear)</translation>
    </message>
    <!-- Basic tab -->
    <message id="setting.basic.auto_parking_waiting_time">
        <source>Automatic Parking Mode Wait</source>
        <translation>Automatic Parking Mode Wait</translation>
    </message>
    <message id="setting.basic.driving_impact_sensitivity">
        <source>Impact Sensitivity While Driving</source>
        <translation>Impact Sensitivity While Driving</translation>
    </message>
    <message id="setting.basic.parking_impact_sensitivity">
        <source>Impact Sensitivity While Parked</source>
        <translation>Impact Sensitivity While Parked</translation>
    </message>
    <message id="setting.basic.front_LED_settings">
        <source>Front Security LED</source>
        <translation>Front Security LED</translation>
    </message>
    <message id="setting.basic.rear_LED_settings">
        <source>Rear Security LED</source>
        <translation>Rear Security LED</translation>
    </message>
    <message id="setting.basic.LED_use">
        <source>On</source>
        <translation>On</translation>
    </message>
    <message id="setting.basic.LED_notuse">
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message id="setting.basic.cutoff_voltage_setting">
        <source>Battery Protection</source>
        <translation>Battery Protection</translation>
    </message>
    <message id="setting.basic.cable_voltage_loss">
        <source>Cable Voltage Loss Compensation</source>
        <translation>Cable Voltage Loss Compensation</translation>
    </message>
    <message id="setting.basic.enable_gsensor">
        <source>Use the G-sensor</source>
        <translation>Use the G-sensor</translation>
    </message>
    <message id="setting.basic.use_external_power">
        <source>Use an external battery</source>
        <translation>Use an external battery</translation>
    </message>
    <message id="setting.basic.car_number_input">
        <source>Vehicle number</source>
        <translation>Vehicle number</translation>
    </message>
    <message id="setting.basic.set_voltage">
        <source>Cut-off voltage</source>
        <translation>Cut-off voltage</translation>
    </message>
    <message id="setting.basic.set_timer">
        <source>Cut-off timer</source>
        <translation>Cut-off timer</translation>
    </message>
    <message id="setting.basic.power_guide">
        <source>The camera switches itself off when the car battery falls below the cut-off voltage or when the timer runs out, so that the battery can still start the engine.</source>
        <translation>The camera switches itself off when the car battery falls below the cut-off voltage or when the timer runs out, so that the battery can still start the engine.</translation>
    </message>
    <message id="setting.basic.customize">
        <source>Custom</source>
        <translation>Custom</translation>
    </message>
    <!-- GPS tab -->
    <message id="setting.gps.weekly_alarm">
        <source>Weekly No-Driving Day Alarm</source>
        <translation>Weekly No-Driving Day Alarm</translation>
    </message>
    <message id="setting.gps.speed_display">
        <source>Speed Unit</source>
        <translation>Speed Unit</translation>
    </message>
    <message id="setting.gps.timezone_setting">
        <source>Time Zone</source>
        <translation>Time Zone</translation>
    </message>
    <message id="setting.gps.osd_speed_display">
        <source>Speed Stamp on the Picture</source>
        <translation>Speed Stamp on the Picture</translation>
    </message>
    <message id="setting.gps.driving_route_info_saving_interval">
        <source>Driving Route Saving Interval</source>
        <translation>Driving Route Saving Interval</translation>
    </message>
    <message id="setting.gps.gps_on_parking_mode">
        <source>GPS in Parking Mode</source>
        <translation>GPS in Parking Mode</translation>
    </message>
    <message id="setting.gps.gps_guide1">
        <source>The camera sets its clock from GPS time in the time zone chosen here.</source>
        <translation>The camera sets its clock from GPS time in the time zone chosen here.</translation>
    </message>
    <message id="setting.gps.gps_speed_guide1">
        <source>The speed unit is used for the speed stamp and the ADAS warning speeds.</source>
        <translation>The speed unit is used for the speed stamp and the ADAS warning speeds.</translation>
    </message>
    <message id="setting.gps.gps_time_guide1">
        <source>Turn daylight saving time on while it applies where you drive.</source>
        <translation>Turn daylight saving time on while it applies where you drive.</translation>
    </message>
    <message id="setting.gps.gps_guide2">
        <source>Keeping GPS on in parking mode uses more battery power.</source>
        <translation>Keeping GPS on in parking mode uses more battery power.</translation>
    </message>
    <!-- Aux tab -->
    <message id="setting.aux.sdcard_capacity">
        <source>SD Card Space</source>
        <translation>SD Card Space</translation>
    </message>
    <message id="setting.aux.always">
        <source>Always</source>
        <translation>Always</translation>
    </message>
    <message id="setting.aux.motion">
        <source>Motion</source>
        <translation>Motion</translation>
    </message>
    <message id="setting.aux.event">
        <source>Event</source>
        <translation>Event</translation>
    </message>
    <message id="setting.aux.motion_sense_setting">
        <source>Motion Detection</source>
        <translation>Motion Detection</translation>
    </message>
    <message id="setting.aux.night_ae_setting">
        <source>Night Exposure</source>
        <translation>Night Exposure</translation>
    </message>
    <message id="setting.aux.low">
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message id="setting.aux.medium_sedan">
        <source>Medium (Sedan)</source>
        <translation>Medium (Sedan)</translation>
    </message>
    <message id="setting.aux.high_suv">
        <source>High (SUV)</source>
        <translation>High (SUV)</translation>
    </message>
    <message id="setting.aux.lcd_auto_off">
        <source>Screen Auto Off</source>
        <translation>Screen Auto Off</translation>
    </message>
    <message id="setting.aux.country_ac_power_setting">
        <source>Mains Frequency</source>
        <translation>Mains Frequency</translation>
    </message>
    <message id="setting.aux.lcd_brightness">
        <source>Screen Brightness</source>
        <translation>Screen Brightness</translation>
    </message>
    <message id="setting.aux.lcd_brightness_auto">
        <source>Automatic Night Brightness</source>
        <translation>Automatic Night Brightness</translation>
    </message>
    <message id="setting.aux.parking_rear_setting">
        <source>Rear Camera in Parking Mode</source>
        <translation>Rear Camera in Parking Mode</translation>
    </message>
    <message id="setting.aux.lcd_screensaver">
        <source>Screen Saver</source>
        <translation>Screen Saver</translation>
    </message>
    <message id="setting.aux.parking_monitor_notice">
        <source>Parking Monitor Notice</source>
        <translation>Parking Monitor Notice</translation>
    </message>
    <message id="setting.aux.recording_length">
        <source>Recording File Length</source>
        <translation>Recording File Length</translation>
    </message>
    <message id="setting.aux.pip_position">
        <source>Picture-in-Picture Position</source>
        <translation>Picture-in-Picture Position</translation>
    </message>
    <message id="setting.aux.auto_format_alarm">
        <source>Format Reminder</source>
        <translation>Format Reminder</translation>
    </message>
    <message id="setting.aux.auto_format_notuse">
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message id="setting.aux.auto_format_4week">
        <source>4 Weeks</source>
        <translation>4 Weeks</translation>
    </message>
    <message id="setting.aux.auto_format_8week">
        <source>8 Weeks</source>
        <translation>8 Weeks</translation>
    </message>
    <message id="setting.aux.auto_format_16week">
        <source>16 Weeks</source>
        <translation>16 Weeks</translation>
    </message>
    <message id="setting.aux.auto_format_32week">
        <source>32 Weeks</source>
        <translation>32 Weeks</translation>
    </message>
    <message id="setting.aux.wifi_start">
        <source>Wi-Fi Start</source>
        <translation>Wi-Fi Start</translation>
    </message>
    <message id="setting.aux.wifi_start_off">
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message id="setting.aux.wifi_start_on">
        <source>Automatic</source>
        <translation>Automatic</translation>
    </message>
    <message id="setting.aux.wifi_settings">
        <source>Wi-Fi Access Point</source>
        <translation>Wi-Fi Access Point</translation>
    </message>
    <message id="setting.aux.use_wifi_dongle">
        <source>Use the Wi-Fi dongle</source>
        <translation>Use the Wi-Fi dongle</translation>
    </message>
    <message id="setting.aux.ssid">
        <source>Network name</source>
        <translation>Network name</translation>
    </message>
    <message id="setting.aux.password">
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message id="setting.aux.channel">
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message id="setting.aux.pip_top_left">
        <source>Top left</source>
        <translation>Top left</translation>
    </message>
    <message id="setting.aux.pip_top_right">
        <source>Top right</source>
        <translation>Top right</translation>
    </message>
    <message id="setting.aux.pip_bottom_left">
        <source>Bottom left</source>
        <translation>Bottom left</translation>
    </message>
    <message id="setting.aux.pip_bottom_right">
        <source>Bottom right</source>
        <translation>Bottom right</translation>
    </message>
    <message id="5min">
        <source>5 min</source>
        <translation>5 min</translation>
    </message>
    <message id="3min">
        <source>3 min</source>
        <translation>3 min</translation>
    </message>
    <message id="setting.aux.ssid_length">
        <source>The network name must be at least 5 characters long.</source>
        <translation>The network name must be at least 5 characters long.</translation>
    </message>
    <message id="setting.aux.ssid_invalid">
        <source>The network name may contain only letters, digits and symbols, without spaces.</source>
        <translation>The network name may contain only letters, digits and symbols, without spaces.</translation>
    </message>
    <message id="setting.aux.password_length">
        <source>The Wi-Fi password must be at least 8 characters long.</source>
        <translation>The Wi-Fi password must be at least 8 characters long.</translation>
    </message>
    <message id="setting.aux.password_invalid">
        <source>The Wi-Fi password may contain only letters, digits and symbols, without spaces.</source>
        <translation>The Wi-Fi password may contain only letters, digits and symbols, without spaces.</translation>
    </message>
    <message id="setting.aux.mic_volume">
        <source>Microphone Volume</source>
        <translation>Microphone Volume</translation>
    </message>
    <message id="setting.aux.speaker_volume">
        <source>Speaker Volume</source>
        <translation>Speaker Volume</translation>
    </message>
    <message id="setting.aux.volume_low">
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message id="setting.aux.volume_up">
        <source>High</source>
        <translation>High</translation>
    </message>
    <message id="setting.aux.enable_hourly_alarm">
        <source>Hourly chime</source>
        <translation>Hourly chime</translation>
    </message>
    <message id="setting.aux.voice_guidance_lang_setting">
        <source>Voice Guidance Language</source>
        <translation>Voice Guidance Language</translation>
    </message>
    <message id="setting.aux.front_sensitivity">
        <source>Front camera</source>
        <translation>Front camera</translation>
    </message>
    <message id="setting.aux.rear_sensitivity">
        <source>Rear camera</source>
        <translation>Rear camera</translation>
    </message>
    <!-- Motion and parking tab -->
    <message id="setting.motion.paking_mode">
        <source>Parking Recording Mode</source>
        <translation>Parking Recording Mode</translation>
    </message>
    <message id="setting.motion.paking_mode_motion">
        <source>Motion Detection</source>
        <translation>Motion Detection</translation>
    </message>
    <message id="setting.motion.paking_mode_timelapse">
        <source>Time-lapse</source>
        <translation>Time-lapse</translation>
    </message>
    <message id="setting.motion.night_vision">
        <source>Night Vision</source>
        <translation>Night Vision</translation>
    </message>
    <message id="setting.motion.night_vision_notuse">
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message id="setting.motion.night_vision_use">
        <source>On</source>
        <translation>On</translation>
    </message>
    <message id="setting.motion.sensitivity">
        <source>Motion Sensitivity</source>
        <translation>Motion Sensitivity</translation>
    </message>
    <message id="setting.motion.block">
        <source>Motion Detection Areas</source>
        <translation>Motion Detection Areas</translation>
    </message>
    <message id="setting.motion.block_front">
        <source>Front Camera</source>
        <translation>Front Camera</translation>
    </message>
    <message id="setting.motion.block_rear">
        <source>Rear Camera</source>
        <translation>Rear Camera</translation>
    </message>
    <!-- ADAS tab -->
    <message id="setting.adas.ldws_sensitivity">
        <source>Lane Departure Sensitivity</source>
        <translation>Lane Departure Sensitivity</translation>
    </message>
    <message id="setting.adas.ldws_speed">
        <source>Lane Departure Speed</source>
        <translation>Lane Departure Speed</translation>
    </message>
    <message id="setting.adas.fcws_sensitivity">
        <source>Forward Collision Sensitivity</source>
        <translation>Forward Collision Sensitivity</translation>
    </message>
    <message id="setting.adas.fcws_speed">
        <source>Forward Collision Speed</source>
        <translation>Forward Collision Speed</translation>
    </message>
    <message id="setting.adas.fcmd_enable">
        <source>Front Car Departure Alert</source>
        <translation>Front Car Departure Alert</translation>
    </message>
    <message id="setting.adas.fcmd_enable_sensitivity">
        <source>Front Car Departure Sensitivity</source>
        <translation>Front Car Departure Sensitivity</translation>
    </message>
    <message id="setting.adas.HwadwaySensitivity">
        <source>Headway Sensitivity</source>
        <translation>Headway Sensitivity</translation>
    </message>
    <message id="setting.adas.HwadwayZone">
        <source>Headway Zone</source>
        <translation>Headway Zone</translation>
    </message>
    <message id="setting.adas.Height">
        <source>Camera Height</source>
        <translation>Camera Height</translation>
    </message>
    <message id="setting.adas.LeftWidth">
        <source>Camera to Left Side</source>
        <translation>Camera to Left Side</translation>
    </message>
    <message id="setting.adas.RightHeight">
        <source>Camera to Right Side</source>
        <translation>Camera to Right Side</translation>
    </message>
    <message id="setting.adas.LaneWidth">
        <source>Lane Width</source>
        <translation>Lane Width</translation>
    </message>
    <message id="setting.adas.UFCW">
        <source>Urban Forward Collision Sensitivity</source>
        <translation>Urban Forward Collision Sensitivity</translation>
    </message>
    <message id="setting.adas.vibrator">
        <source>Vibration Alert</source>
        <translation>Vibration Alert</translation>
    </message>
    <message id="setting.adas.vibrator.intensity">
        <source>Vibration Strength</source>
        <translation>Vibration Strength</translation>
    </message>
    <message id="setting.adas.vibrator.notuse">
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message id="setting.adas.vibrator.all">
        <source>All Warnings</source>
        <translation>All Warnings</translation>
    </message>
    <message id="setting.adas.vibrator.level">
        <source>By Warning Level</source>
        <translation>By Warning Level</translation>
    </message>
    <message id="setting.adas.vibrator.speed">
        <source>By Speed</source>
        <translation>By Speed</translation>
    </message>
    <message id="setting.adas.vibrator.low">
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message id="setting.adas.vibrator.middle">
        <source>Medium</source>
        <translation>Medium</translation>
    </message>
    <message id="setting.adas.vibrator.high">
        <source>High</source>
        <translation>High</translation>
    </message>
    <!-- Audio tab: voice languages -->
    <message id="Korean">
        <source>Korean</source>
        <translation>Korean</translation>
    </message>
    <message id="English">
        <source>English</source>
        <translation>English</translation>
    </message>
    <message id="French">
        <source>French</source>
        <translation>French</translation>
    </message>
    <message id="Spanish.Europe">
        <source>Spanish (Europe)</source>
        <translation>Spanish (Europe)</translation>
    </message>
    <message id="Arabic">
        <source>Arabic</source>
        <translation>Arabic</translation>
    </message>
    <message id="Chinese">
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message id="Russian">
        <source>Russian</source>
        <translation>Russian</translation>
    </message>
    <message id="Japanese">
        <source>Japanese</source>
        <translation>Japanese</translation>
    </message>
    <message id="Thai">
        <source>Thai</source>
        <translation>Thai</translation>
    </message>
    <message id="BahasaIndonesia">
        <source>Bahasa Indonesia</source>
        <translation>Bahasa Indonesia</translation>
    </message>
    <message id="Vietnamese">
        <source>Vietnamese</source>
        <translation>Vietnamese</translation>
    </message>
    <message id="Mongolian">
        <source>Mongolian</source>
        <translation>Mongolian</translation>
    </message>
    <message id="Spanish.SouthAmerica">
        <source>Spanish (South America)</source>
        <translation>Spanish (South America)</translation>
    </message>
    <message id="German">
        <source>German</source>
        <translation>German</translation>
    </message>
    <message id="Turkish">
        <source>Turkish</source>
        <translation>Turkish</translation>
    </message>
    <message id="Italian">
        <source>Italian</source>
        <translation>Italian</translation>
    </message>
    <message id="Hindi">
        <source>Hindi</source>
        <translation>Hindi</translation>
    </message>
    <message id="Cantonese">
        <source>Cantonese</source>
        <translation>Cantonese</translation>
    </message>
    <message id="Czech">
        <source>Czech</source>
        <translation>Czech</translation>
    </message>
    <message id="Portuguese">
        <source>Portuguese</source>
        <translation>Portuguese</translation>
    </message>
    <message id="Malaysia">
        <source>Malay</source>
        <translation>Malay</translation>
    </message>
    <!-- Drive-information log (column titles go into a CSV header unquoted: no commas) -->
    <message id="setting.flashdata.index">
        <source>No.</source>
        <translation>No.</translation>
    </message>
    <message id="setting.flashdata.seq">
        <source>Seq</source>
        <translation>Seq</translation>
    </message>
    <message id="setting.flashdata.date">
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message id="setting.flashdata.time">
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message id="setting.flashdata.yoil">
        <source>Day</source>
        <translation>Day</translation>
    </message>
    <message id="setting.flashdata.lat">
        <source>Latitude</source>
        <translation>Latitude</translation>
    </message>
    <message id="setting.flashdata.lon">
        <source>Longitude</source>
        <translation>Longitude</translation>
    </message>
    <message id="setting.flashdata.value">
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message id="setting.flashdata.driving_distance">
        <source>Distance</source>
        <translation>Distance</translation>
    </message>
    <message id="setting.flashdata.cur_speed">
        <source>GPS Speed</source>
        <translation>GPS Speed</translation>
    </message>
    <message id="setting.flashdata.SPD">
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message id="setting.flashdata.RPM">
        <source>RPM</source>
        <translation>RPM</translation>
    </message>
    <message id="setting.flashdata.FBK">
        <source>Brake</source>
        <translation>Brake</translation>
    </message>
    <message id="setting.flashdata.LLL">
        <source>Left Signal</source>
        <translation>Left Signal</translation>
    </message>
    <message id="setting.flashdata.RLL">
        <source>Right Signal</source>
        <translation>Right Signal</translation>
    </message>
    <message id="setting.flashdata.battery">
        <source>Battery (V)</source>
        <translation>Battery (V)</translation>
    </message>
    <!-- SD card format window -->
    <message id="setting.format.allocation_unit_size">
        <source>Allocation Unit Size</source>
        <translation>Allocation Unit Size</translation>
    </message>
    <message id="setting.format.filesystem">
        <source>File System</source>
        <translation>File System</translation>
    </message>
    <message id="setting.format.format">
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <!-- Clock window -->
    <message id="time.filesave">
        <source>The clock file has been saved. Put the card back into the camera: it sets its clock when it starts.</source>
        <translation>The clock file has been saved. Put the card back into the camera: it sets its clock when it starts.</translation>
    </message>
    <!-- Messages (format keys take %1, %2 in the order given) -->
    <message id="msg.saved">
        <source>Saved.</source>
        <translation>Saved.</translation>
    </message>
    <message id="msg.file_open_fail">
        <source>The file could not be opened for writing.</source>
        <translation>The file could not be opened for writing.</translation>
    </message>
    <message id="msg.play_fail">
        <source>The recording could not be played.</source>
        <translation>The recording could not be played.</translation>
    </message>
    <message id="msg.cut_off">
        <source>This recording was cut off: the camera probably lost power before it could finish it.</source>
        <translation>This recording was cut off: the camera probably lost power before it could finish it.</translation>
    </message>
    <message id="msg.cut_off_recover">
        <source>%1
Recover it? What the camera wrote goes into a new recording in the RECOVERED folder beside it; the original stays as it is.</source>
        <translation>%1
Recover it? What the camera wrote goes into a new recording in the RECOVERED folder beside it; the original stays as it is.</translation>
    </message>
    <message id="msg.recovering">
        <source>Recovering cut-off recordings…</source>
        <translation>Recovering cut-off recordings…</translation>
    </message>
    <message id="msg.recovered">
        <source>%1 of %2 cut-off recordings recovered.</source>
        <translation>%1 of %2 cut-off recordings recovered.</translation>
    </message>
    <message id="msg.play_timeout">
        <source>The recording did not start playing.</source>
        <translation>The recording did not start playing.</translation>
    </message>
    <message id="msg.capture_fail">
        <source>The picture could not be taken.</source>
        <translation>The picture could not be taken.</translation>
    </message>
    <message id="msg.capture_save_fail">
        <source>The picture could not be saved there.</source>
        <translation>The picture could not be saved there.</translation>
    </message>
    <message id="msg.print_fail">
        <source>The picture could not be printed.</source>
        <translation>The picture could not be printed.</translation>
    </message>
    <message id="msg.cannot_format">
        <source>The card cannot be formatted.</source>
        <translation>The card cannot be formatted.</translation>
    </message>
    <message id="msg.format_complete">
        <source>The card has been formatted.</source>
        <translation>The card has been formatted.</translation>
    </message>
    <message id="msg.write_protected_disk">
        <source>The card is write-protected. Slide its lock switch to unlock it and try again.</source>
        <translation>The card is write-protected. Slide its lock switch to unlock it and try again.</translation>
    </message>
    <message id="msg.gsensor_outofrange_fmt">
        <source>Enter a value from %1 to %2 g.</source>
        <translation>Enter a value from %1 to %2 g.</translation>
    </message>
    <message id="msg.input_value_invalid_format">
        <source>Enter a number, such as 0.50.</source>
        <translation>Enter a number, such as 0.50.</translation>
    </message>
    <message id="msg.sdcard_ratio_too_low">
        <source>Each kind of recording needs at least 10 % of the card.</source>
        <translation>Each kind of recording needs at least 10 % of the card.</translation>
    </message>
    <message id="msg.memconfig_warning">
        <source>Changing the shares erases the recordings on the card when the camera next starts.</source>
        <translation>Changing the shares erases the recordings on the card when the camera next starts.</translation>
    </message>
    <message id="msg.use_external_power_10v">
        <source>Choose "External Power" only when the camera is powered by an external battery: the camera then switches off below 10 V.</source>
        <translation>Choose "External Power" only when the camera is powered by an external battery: the camera then switches off below 10 V.</translation>
    </message>
    <message id="msg.video_quality_warning">
        <source>A new recording quality changes how much fits on the card. Format the card in the camera after saving.</source>
        <translation>A new recording quality changes how much fits on the card. Format the card in the camera after saving.</translation>
    </message>
    <message id="msg.value_out_of_range">
        <source>Enter a value from %1 to %2.</source>
        <translation>Enter a value from %1 to %2.</translation>
    </message>
    <message id="msg.value_not_allowed">
        <source>Choose one of these values: %1.</source>
        <translation>Choose one of these values: %1.</translation>
    </message>
    <message id="msg.text_too_long">
        <source>The text may be at most %1 bytes long.</source>
        <translation>The text may be at most %1 bytes long.</translation>
    </message>
    <message id="msg.sdcard_ratio_sum">
        <source>The three shares of the card must add up to %1 %.</source>
        <translation>The three shares of the card must add up to %1 %.</translation>
    </message>
    <message id="setting.disk_utility">
        <source>Disk Utility…</source>
        <translation>Disk Utility…</translation>
    </message>
    <message id="msg.disk_utility_missing">
        <source>No disk utility is installed. Install GNOME Disks (gnome-disks) or KDE Partition Manager (partitionmanager).</source>
        <translation>No disk utility is installed. Install GNOME Disks (gnome-disks) or KDE Partition Manager (partitionmanager).</translation>
    </message>
    <message id="msg.disk_utility_failed">
        <source>%1 could not be started.</source>
        <translation>%1 could not be started.</translation>
    </message>
    <message id="setting.format.usb_drive">
        <source>USB Drive</source>
        <translation>USB Drive</translation>
    </message>
    <message id="setting.format.device">
        <source>Device</source>
        <translation>Device</translation>
    </message>
    <message id="msg.format_confirm">
        <source>Erase and format %1?</source>
        <translation>Erase and format %1?</translation>
    </message>
    <message id="msg.format_confirm_detail">
        <source>Every recording on the card is deleted and cannot be recovered. The card's config.bin is kept.</source>
        <translation>Every recording on the card is deleted and cannot be recovered. The card's config.bin is kept.</translation>
    </message>
    <message id="msg.config_kept_at">
        <source>The card's settings file is kept at %1.</source>
        <translation>The card's settings file is kept at %1.</translation>
    </message>
    <message id="card.open">
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message id="card.dismiss">
        <source>Dismiss</source>
        <translation>Dismiss</translation>
    </message>
    <message id="card.inserted_fmt">
        <source>A dashcam card was inserted: %1</source>
        <translation>A dashcam card was inserted: %1</translation>
    </message>
    <message id="card.removed">
        <source>The card was removed. Its recordings can no longer be played.</source>
        <translation>The card was removed. Its recordings can no longer be played.</translation>
    </message>
    <message id="filelist.card_removed">
        <source>The card was removed.
Insert it again or open another folder.</source>
        <translation>The card was removed.
Insert it again or open another folder.</translation>
    </message>
    <message id="player.preferences">
        <source>Preferences: map tiles</source>
        <translation>Preferences: map tiles</translation>
    </message>
    <message id="prefs.title">
        <source>Preferences</source>
        <translation>Preferences</translation>
    </message>
    <message id="prefs.map_tiles">
        <source>Map tiles</source>
        <translation>Map tiles</translation>
    </message>
    <message id="prefs.tiles_online">
        <source>OpenStreetMap online; tiles once seen stay available offline</source>
        <translation>OpenStreetMap online; tiles once seen stay available offline</translation>
    </message>
    <message id="prefs.tiles_kept">
        <source>Only tiles seen before (never uses the network)</source>
        <translation>Only tiles seen before (never uses the network)</translation>
    </message>
    <message id="prefs.tiles_mbtiles">
        <source>Tiles from an MBTiles file (no network):</source>
        <translation>Tiles from an MBTiles file (no network):</translation>
    </message>
    <message id="prefs.choose">
        <source>Choose…</source>
        <translation>Choose…</translation>
    </message>
    <message id="prefs.choose_mbtiles">
        <source>Choose an MBTiles file</source>
        <translation>Choose an MBTiles file</translation>
    </message>
    <message id="prefs.mbtiles_filter">
        <source>MBTiles files (*.mbtiles);;All files (*)</source>
        <translation>MBTiles files (*.mbtiles);;All files (*)</translation>
    </message>
    <message id="prefs.mbtiles_unusable_fmt">
        <source>This file cannot be used as map tiles: %1</source>
        <translation>This file cannot be used as map tiles: %1</translation>
    </message>
    <message id="prefs.store_fmt">
        <source>Tiles seen online are kept in %1</source>
        <translation>Tiles seen online are kept in %1</translation>
    </message>
    <!-- Clip export: marks on the position slider and the export dialog -->
    <message id="close">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="export.title">
        <source>Export clip</source>
        <translation>Export clip</translation>
    </message>
    <message id="export.clip_fmt">
        <source>%1, from %2 to %3 (%4 s)</source>
        <translation>%1, from %2 to %3 (%4 s)</translation>
    </message>
    <message id="export.folder">
        <source>Folder:</source>
        <translation>Folder:</translation>
    </message>
    <message id="export.choose_folder">
        <source>Choose…</source>
        <translation>Choose…</translation>
    </message>
    <message id="export.lossless">
        <source>Both cameras are cut without re-encoding, with their G-sensor and GPS data, the track as GPX and CSV and manifest.json with the SHA-256 of every file.</source>
        <translation>Both cameras are cut without re-encoding, with their G-sensor and GPS data, the track as GPX and CSV and manifest.json with the SHA-256 of every file.</translation>
    </message>
    <message id="export.side_by_side">
        <source>Side-by-side video to share, rear camera inset:</source>
        <translation>Side-by-side video to share, rear camera inset:</translation>
    </message>
    <message id="export.corner_top_right">
        <source>top right</source>
        <translation>top right</translation>
    </message>
    <message id="export.corner_top_left">
        <source>top left</source>
        <translation>top left</translation>
    </message>
    <message id="export.corner_bottom_right">
        <source>bottom right</source>
        <translation>bottom right</translation>
    </message>
    <message id="export.corner_bottom_left">
        <source>bottom left</source>
        <translation>bottom left</translation>
    </message>
    <message id="export.report">
        <source>Incident report (PDF)</source>
        <translation>Incident report (PDF)</translation>
    </message>
    <message id="export.start">
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message id="export.no_folder">
        <source>Choose a folder to export into.</source>
        <translation>Choose a folder to export into.</translation>
    </message>
    <message id="export.running">
        <source>Exporting…</source>
        <translation>Exporting…</translation>
    </message>
    <message id="export.done_fmt">
        <source>%1 files written to %2.</source>
        <translation>%1 files written to %2.</translation>
    </message>
    <message id="export.cancelled">
        <source>Cancelled: no file of this export was kept.</source>
        <translation>Cancelled: no file of this export was kept.</translation>
    </message>
    <message id="export.failed_fmt">
        <source>Export failed, no file of it was kept: %1</source>
        <translation>Export failed, no file of it was kept: %1</translation>
    </message>
    <message id="export.mark_in_tip">
        <source>Mark the clip's start here (I)</source>
        <translation>Mark the clip's start here (I)</translation>
    </message>
    <message id="export.mark_out_tip">
        <source>Mark the clip's end here (O)</source>
        <translation>Mark the clip's end here (O)</translation>
    </message>
    <message id="export.export_marked">
        <source>Export marked clip…</source>
        <translation>Export marked clip…</translation>
    </message>
    <message id="export.around_now">
        <source>Export around now…</source>
        <translation>Export around now…</translation>
    </message>
    <message id="export.button">
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message id="export.button_tip">
        <source>Export a clip of both cameras with its data</source>
        <translation>Export a clip of both cameras with its data</translation>
    </message>
    <message id="export.around_span">
        <source>Seconds either side of the current position:</source>
        <translation>Seconds either side of the current position:</translation>
    </message>
</context>
</TS>

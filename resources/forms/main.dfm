object Form1: TForm1
  Left = 208
  Top = 120
  BorderIcons = []
  BorderStyle = bsSingle
  Caption = 'CDデッキ　「澄響」'
  ClientHeight = 159
  ClientWidth = 482
  Color = clBtnFace
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = 'ＭＳ Ｐゴシック'
  Font.Style = []
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 12
  object Image1: TImage
    Left = 0
    Top = 0
    Width = 481
    Height = 158
    Enabled = False
    Picture = 'deck.bmp'
    Stretch = True
  end
  object MainText: TLabel
    Left = 16
    Top = 10
    Width = 361
    Height = 79
    AutoSize = False
    Caption = '[01]  00:00'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clLime
    Font.Height = -32
    Font.Name = 'ＭＳ Ｐ明朝'
    Font.Style = [fsBold]
  end
  object ModeSong: TLabel
    Left = 104
    Top = 68
    Width = 30
    Height = 15
    Alignment = taCenter
    Caption = '停止'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clLime
    Font.Height = -15
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
  end
  object Disp: TLabel
    Left = 88
    Top = 48
    Width = 81
    Height = 17
    Alignment = taCenter
    AutoSize = False
    Caption = '経過時間'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clLime
    Font.Height = -15
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
  end
  object Label_Intro: TLabel
    Left = 200
    Top = 18
    Width = 60
    Height = 12
    Alignment = taCenter
    AutoSize = False
    Caption = 'INTRO'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clSilver
    Font.Height = -12
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
  end
  object Label_Rand: TLabel
    Left = 200
    Top = 36
    Width = 60
    Height = 12
    Alignment = taCenter
    AutoSize = False
    Caption = 'RANDOME'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clSilver
    Font.Height = -12
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
  end
  object Label_Rep: TLabel
    Left = 200
    Top = 54
    Width = 60
    Height = 12
    Alignment = taCenter
    AutoSize = False
    Caption = 'REPEAT'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clSilver
    Font.Height = -12
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
  end
  object Label1: TLabel
    Left = 28
    Top = 45
    Width = 32
    Height = 16
    Caption = '曲番'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clLime
    Font.Height = -16
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
  end
  object Label2: TLabel
    Left = 48
    Top = 68
    Width = 34
    Height = 13
    Caption = 'MODE'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clLime
    Font.Height = -13
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
  end
  object Label_Prg: TLabel
    Left = 200
    Top = 72
    Width = 60
    Height = 12
    Alignment = taCenter
    AutoSize = False
    Caption = 'PROGRAM'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clSilver
    Font.Height = -12
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
  end
  object noCD: TLabel
    Left = 272
    Top = 71
    Width = 96
    Height = 12
    Alignment = taCenter
    AutoSize = False
    Caption = 'CDが入ってません'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clLime
    Font.Height = -12
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
  end
  object Label3: TLabel
    Left = 294
    Top = 56
    Width = 52
    Height = 12
    Caption = 'CDの状態'
    Color = clBlack
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clLime
    Font.Height = -12
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
  end
  object Cmb_Play: TMaruBtn
    Left = 25
    Top = 92
    Width = 66
    Height = 30
    Caption = '再生'
    Color = clBtnFace
    Font3D = False
    OnClick = Cmb_PlayClick
  end
  object Cmb_Next: TMaruBtn
    Left = 125
    Top = 122
    Width = 66
    Height = 30
    Caption = '次曲'
    Color = clBtnFace
    Font3D = False
    OnClick = Cmb_NextClick
  end
  object Cmb_Stop: TMaruBtn
    Left = 96
    Top = 92
    Width = 66
    Height = 30
    Caption = '停止'
    Color = clBtnFace
    Font3D = False
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clRed
    Font.Height = -12
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = []
    ParentFont = False
    OnClick = Cmb_StopClick
  end
  object Cmb_Pause: TMaruBtn
    Left = 167
    Top = 92
    Width = 66
    Height = 30
    Caption = '一時停止'
    Color = clBtnFace
    Font3D = False
    OnClick = Cmb_PauseClick
  end
  object Cmb_Back: TMaruBtn
    Left = 55
    Top = 122
    Width = 66
    Height = 30
    Caption = '前曲'
    Color = clBtnFace
    Font3D = False
    OnClick = Cmb_BackClick
  end
  object Cmb_Eject: TMaruBtn
    Left = 195
    Top = 122
    Width = 66
    Height = 30
    Caption = '取り出し'
    Color = clBtnFace
    Font3D = False
    OnClick = Cmb_EjectClick
  end
  object List1: TListBox
    Left = 376
    Top = 10
    Width = 97
    Height = 79
    BorderStyle = bsNone
    Color = clBlack
    Columns = 3
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clLime
    Font.Height = -19
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = [fsBold]
    ItemHeight = 19
    TabOrder = 0
    OnClick = List1Click
  end
  object BitBtn1: TBitBtn
    Left = 376
    Top = 128
    Width = 89
    Height = 25
    Hint = '終了します'
    Cancel = True
    Caption = '電源'
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clBlack
    Font.Height = -12
    Font.Name = 'ＭＳ Ｐゴシック'
    Font.Style = [fsUnderline]
    Glyph = 'power.bmp'
    NumGlyphs = 2
    ParentShowHint = False
    ShowHint = True
    TabOrder = 1
    OnClick = BitBtn1Click
  end
  object Cmb_Show: TButton
    Left = 280
    Top = 96
    Width = 65
    Height = 25
    Hint = '表示変更'
    Caption = '表示'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 2
    OnClick = Cmb_ShowClick
  end
  object Smb_Setting: TButton
    Left = 280
    Top = 128
    Width = 65
    Height = 25
    Hint = '設定変更'
    Caption = '設定'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 3
    OnClick = Smb_SettingClick
  end
  object Cmb_List: TButton
    Left = 288
    Top = 34
    Width = 69
    Height = 17
    Hint = 'プログラム再生'
    Caption = '再生順序'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 4
    OnClick = Cmb_ListClick
  end
  object Cmb_Vol: TBitBtn
    Left = 376
    Top = 96
    Width = 25
    Height = 25
    Hint = '音量'
    Glyph = 'volume.bmp'
    NumGlyphs = 2
    ParentShowHint = False
    ShowHint = True
    TabOrder = 5
    OnClick = Cmb_VolClick
  end
  object Cmb_Help: TBitBtn
    Left = 440
    Top = 96
    Width = 25
    Height = 25
    Hint = 'ヘルプ'
    Glyph = 'help.bmp'
    NumGlyphs = 2
    ParentShowHint = False
    ShowHint = True
    TabOrder = 6
    OnClick = Cmb_HelpClick
  end
  object Cmb_Ver: TBitBtn
    Left = 408
    Top = 96
    Width = 25
    Height = 25
    Hint = 'バージョン情報'
    Glyph = 'version.bmp'
    NumGlyphs = 2
    ParentShowHint = False
    ShowHint = True
    TabOrder = 7
    OnClick = Cmb_VerClick
  end
  object Cmb_Rnd: TButton
    Left = 288
    Top = 14
    Width = 69
    Height = 17
    Hint = 'ランダム再生'
    Caption = 'ランダム'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 8
    OnClick = Cmb_RndClick
  end
  object CD: TCDP
    NotifyAt = 0
    Seconds = 10
    ShufflePlay = False
    OnCDInsert = CDCDInsert
    TimeFormat = '%.2d:%.2d'
  end
  object Timer: TTimer
    Interval = 100
    OnTimer = TimerTimer
  end
  object IniGT: TIniGT
    DefaultDir = ddApplication
  end
end
